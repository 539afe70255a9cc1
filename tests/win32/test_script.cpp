// SPDX-License-Identifier: MIT
#include "test_script.h"

#include <windows.h>

#include <stdexcept>

#include "win32/wide_text.h"
#include "win32/windows_file_system.h"

namespace vornelik {
namespace {

constexpr wchar_t kSwitch[] = L"VORNELIK_TEST_SCRIPT";
constexpr std::int64_t kLongestScript = 1 << 20;

std::optional<std::wstring> environmentValue(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        return std::nullopt;
    }
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

}  // namespace

std::optional<TestScript> TestScript::fromEnvironment() {
    const auto path = environmentValue(kSwitch);
    if (!path || path->empty()) {
        return std::nullopt;
    }
    WindowsFileSystem files(CP_UTF8);
    const auto bytes = files.readAll(narrow(*path), kLongestScript);
    return parse(std::string(bytes.begin(), bytes.end()));
}

TestScript TestScript::parse(std::string_view text) {
    TestScript script;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::size_t equals = line.find('=');
        const std::string_view key = line.substr(0, equals);
        const std::string value(equals == std::string_view::npos ? "" : line.substr(equals + 1));
        if (line.empty()) {
            continue;
        } else if (line == "cancel") {
            script.answers.emplace_back(std::nullopt);
        } else if (key == "answer") {
            script.answers.emplace_back(value);
        } else if (key == "separator") {
            script.decimalSeparator = value;
        } else if (key == "codepage") {
            script.codePage = static_cast<unsigned>(std::stoul(value));
        } else if (key == "log") {
            script.logPath = value;
        } else {
            throw std::invalid_argument("unknown line in the test script");
        }
    }
    return script;
}

LocaleFacts TestScript::applyTo(LocaleFacts locale) const {
    if (decimalSeparator) {
        locale.decimalSeparator = *decimalSeparator;
    }
    if (codePage) {
        locale.codePage = *codePage;
    }
    return locale;
}

void appendToLog(const std::string& logPath, std::string_view line) {
    if (logPath.empty()) {
        return;
    }
    const HANDLE log = CreateFileW(widen(logPath).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                   nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open the test log");
    }
    const std::string text = std::string(line) + "\n";
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(log);
    if (wrote == 0 || written != text.size()) {
        throw std::runtime_error("cannot write the test log");
    }
}

std::optional<std::string> ScriptedCommonDialog::askForOpen(Filter filter, const std::string&) {
    return next("open", filter);
}

std::optional<std::string> ScriptedCommonDialog::askForSave(Filter filter, const std::string&) {
    return next("save", filter);
}

std::optional<std::string> ScriptedCommonDialog::next(std::string_view mode, Filter filter) {
    appendToLog(script_.logPath, std::string(mode) + " " + std::string(filter.description) + "|" +
                                     std::string(filter.pattern));
    if (script_.answers.empty()) {
        return std::nullopt;
    }
    auto answer = std::move(script_.answers.front());
    script_.answers.pop_front();
    return answer;
}

void LoggedMsgBox::show(std::string_view prompt) {
    appendToLog(logPath_, "message " + std::string(prompt));
}

}  // namespace vornelik
