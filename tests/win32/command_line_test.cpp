// SPDX-License-Identifier: MIT
// vornelik-cli.exe takes its arguments from the wide command line: names with letters that the
// ANSI code page lacks reach it whole; it speaks Turkish on the console and into a file.

#include <gtest/gtest.h>

#include <string>

#include "scratch_folder.h"
#include "support/sound_fixture.h"
#include "win32/wide_text.h"

namespace vornelik {
namespace {

struct Outcome {
    unsigned long status;
    std::string output;  // standard output
    std::string errors;  // standard error, as bytes
};

// Runs the command line with its standard output and error redirected to files.
Outcome runCaptured(const ScratchFolder& folder, const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const std::wstring outPath = folder / L"stdout.txt";
    const std::wstring errPath = folder / L"stderr.txt";
    const HANDLE out = CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                   CREATE_ALWAYS, 0, nullptr);
    const HANDLE err = CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                   CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::wstring commandLine = L"\"" + widen(VORNELIK_CLI) + L"\" " + arguments;
    PROCESS_INFORMATION started{};
    Outcome run{~0UL, {}, {}};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &started)) {
        WaitForSingleObject(started.hProcess, 30000);
        DWORD code = ~0UL;
        GetExitCodeProcess(started.hProcess, &code);
        run.status = code;
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    run.output = readBytes(outPath);
    run.errors = readBytes(errPath);
    DeleteFileW(outPath.c_str());
    DeleteFileW(errPath.c_str());
    return run;
}

// What the program would print under Linux with the same locale: the expected file of
// cli_language_test without its last line, the exit status.
std::string expectedSpeech(const std::string& name, unsigned long& status) {
    std::string text = expectedFile("cli_language/" + name);
    const std::size_t last = text.rfind("exit ");
    status = std::stoul(text.substr(last + 5));
    return text.substr(0, last);
}

// LANG alone of the language variables for the programs this test starts, as long as it lives.
class ChildLanguage {
  public:
    explicit ChildLanguage(const wchar_t* value) {
        for (const wchar_t* name : {L"LC_ALL", L"LC_MESSAGES", L"LANGUAGE"}) {
            SetEnvironmentVariableW(name, nullptr);
        }
        SetEnvironmentVariableW(L"LANG", value);
    }
    ~ChildLanguage() { SetEnvironmentVariableW(L"LANG", nullptr); }
    ChildLanguage(const ChildLanguage&) = delete;
    ChildLanguage& operator=(const ChildLanguage&) = delete;
};

std::wstring quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

TEST(CommandLine, TurkishNamesReachTheProgramWhole) {
    const ScratchFolder folder;
    const std::wstring sound = folder / L"ses kayd\u0131 \u015f\u011f.wav";
    const std::wstring output = folder / L"\u00e7\u0131kt\u0131.bas";
    writeBytes(sound, std::string(kSoundBytes.begin(), kSoundBytes.end()));
    EXPECT_EQ(runCaptured(folder, L"bas " + quoted(sound) + L" -o " + quoted(output) + L" --end 25")
                  .status,
              0u);
    EXPECT_EQ(readBytes(output), expectedFile("program_good_0_25.bas"));
}

// The faults the Windows build had apart from the Linux one, each as a user meets it.
TEST(CommandLine, EdgesOfFilesAsOnLinux) {
    const ScratchFolder folder;
    const std::wstring sound = folder / L"ses.wav";
    const std::string soundBytes(kSoundBytes.begin(), kSoundBytes.end());
    writeBytes(sound, soundBytes);
    const std::wstring longer = folder / L"uzun.wav";
    writeBytes(longer, std::string(900, '\x80'));
    std::wstring deep = folder / L"";
    for (int level = 0; level < 5; ++level) {
        deep += std::wstring(60, static_cast<wchar_t>(L'a' + level)) + L"\\";
        CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr);
    }
    const std::wstring readOnly = folder / L"salt.inc";
    writeBytes(readOnly, "old");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring roundAbout =
        folder / L"..\\" + folder.name() + L"\\SES.WAV";  // the sound by another name
    struct CommandCase {
        const char* name;
        std::wstring arguments;
        unsigned long status;
        const char* message;  // a part of standard error
    };
    const std::wstring s = quoted(sound) + L" ";
    const CommandCase cases[] = {
        {"bas deep", L"bas " + s + L"--end 25 -o " + quoted(deep + L"ses.bas"), 0, "wrote"},
        {"inc deep", L"inc " + s + L"--end 25 --code-page 1254 -o " + quoted(deep + L"ses.inc"), 0,
         "wrote"},
        {"plot deep", L"plot " + s + L"-o " + quoted(deep + L"ses.svg"), 0, "wrote"},
        {"preview deep", L"preview " + s + L"-o " + quoted(deep + L"dinle.wav"), 0, "wrote"},
        {"inc read-only", L"inc " + s + L"-o " + quoted(readOnly), 3,
         "salt.inc: the file is read-only"},
        {"plot read-only", L"plot " + s + L"-o " + quoted(readOnly), 3,
         "salt.inc: the file is read-only"},
        {"preview read-only", L"preview " + s + L"-o " + quoted(readOnly), 3,
         "salt.inc: the file is read-only"},
        {"bas over the sound", L"bas " + s + L"-o " + quoted(roundAbout), 1,
         "SES.WAV is the input"},
        {"plot over the sound", L"plot " + s + L"-o " + quoted(sound), 1, "ses.wav is the input"},
        {"preview over the sound", L"preview " + s + L"-o " + quoted(sound), 1, "is the input"},
        {"bas to NUL", L"bas " + s + L"-o NUL", 0, "wrote NUL"},
        {"preview to NUL", L"preview " + s + L"-o NUL", 0, "wrote NUL"},
        {"plot to NUL", L"plot " + s + L"-o nul", 0, "wrote nul"},
        {"a directory as the sound", L"bas " + quoted(folder / L".") + L" -o NUL", 3,
         ": it is a directory"},
        {"fractions rounding below zero",
         L"bas " + quoted(longer) + L" --start 0.3 --end 0.3 --decimal-separator . -o -", 2,
         "pic hafıza boyutu sıfır dan küçük olamaz"},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome run = runCaptured(folder, c.arguments);
        EXPECT_EQ(run.status, c.status) << run.errors;
        EXPECT_NE(run.errors.find(c.message), std::string::npos) << run.errors;
    }
    EXPECT_EQ(readBytes(sound), soundBytes);
    EXPECT_EQ(readBytes(readOnly), "old");
    EXPECT_EQ(readBytes(L"\\\\?\\" + deep + L"ses.bas"), expectedFile("program_good_0_25.bas"));
    EXPECT_EQ(readBytes(L"\\\\?\\" + deep + L"ses.inc"),
              expectedFile("include_good_0_25.1254.inc"));
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const wchar_t* name : {L"ses.bas", L"ses.inc", L"ses.svg", L"dinle.wav"}) {
        EXPECT_NE(DeleteFileW((L"\\\\?\\" + deep + name).c_str()), 0);
    }
    while (deep.size() > (folder / L"").size()) {
        EXPECT_NE(RemoveDirectoryW((L"\\\\?\\" + deep).c_str()), 0);  // nothing else left in it
        deep.erase(deep.find_last_of(L'\\', deep.size() - 2) + 1);
    }
}

// hex and asm write the bytes the Linux build writes (tests/cli/player_commands_test.cpp).
TEST(CommandLine, HexAndAsmAsOnLinux) {
    const ScratchFolder folder;
    const std::wstring sound = folder / L"ses.wav";
    writeBytes(sound, std::string(kSoundBytes.begin(), kSoundBytes.end()));
    const std::wstring output = folder / L"\u00e7\u0131kt\u0131";
    const struct {
        const wchar_t* arguments;
        const char* expected;
    } cases[] = {
        {L"hex", "player_good_0_25.hex"},
        {L"asm --quality poor", "player_poor_0_25.asm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        const Outcome run = runCaptured(folder, std::wstring(c.arguments) + L" " + quoted(sound) +
                                                    L" --end 25 -o " + quoted(output));
        EXPECT_EQ(run.status, 0u) << run.errors;
        EXPECT_EQ(readBytes(output), expectedFile(c.expected));
        const Outcome out = runCaptured(
            folder, std::wstring(c.arguments) + L" " + quoted(sound) + L" --end 25 -o -");
        EXPECT_EQ(out.output, expectedFile(c.expected));
        DeleteFileW(output.c_str());
    }
}

// With a Turkish LANG the program prints into a redirected file, as UTF-8, what the Linux one
// prints under tr_TR.UTF-8; LANG=C keeps English (console_language_test reads the console).
TEST(CommandLine, SpeaksTheLanguageLangNames) {
    const ScratchFolder folder;
    struct Row {
        const wchar_t* lang;
        const wchar_t* arguments;
        const char* expected;
    };
    for (const Row& row :
         {Row{L"tr_TR.UTF-8", L"--help", "help.tr"}, Row{L"tr_TR.UTF-8", L"info a b", "extra.tr"},
          Row{L"tr_TR.UTF-8", L"bas a -o b --quality best", "quality.tr"},
          Row{L"tr_TR.UTF-8", L"bas --help", "bas_help.tr"}, Row{L"C", L"frob", "unknown.en"}}) {
        SCOPED_TRACE(narrow(row.lang) + " " + narrow(row.arguments));
        const ChildLanguage language(row.lang);
        unsigned long status = 0;
        const std::string expected = expectedSpeech(row.expected, status);
        const Outcome run = runCaptured(folder, row.arguments);
        std::string shown = run.output + run.errors;
        std::erase(shown, '\r');  // Windows ends the lines of a text stream with CR LF
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(run.status, status);
    }
}

// convert is in the Windows build too: no help says it is missing.
TEST(CommandLine, EveryHelpKnowsConvert) {
    const ScratchFolder folder;
    for (const wchar_t* command : {L"", L"bas ", L"plot ", L"preview ", L"convert "}) {
        SCOPED_TRACE(narrow(command));
        const Outcome run = runCaptured(folder, std::wstring(command) + L"--help");
        EXPECT_EQ(run.status, 0u);
        EXPECT_EQ(run.output.find("convert is not in"), std::string::npos) << run.output;
    }
}

}  // namespace
}  // namespace vornelik
