; SPDX-License-Identifier: MIT
; The Windows installer of Vornelik, built on Linux with Debian's makensis:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DPROGRAM_DIR=... -DTEXT_DIR=... -DICON=...
;            -DOUTFILE=... [-DTARGET=x86-unicode] vornelik.nsi
; PROGRAM_DIR holds vornelik.exe and vornelik-cli.exe, TEXT_DIR README.txt, BENIOKU.txt and
; LICENSE.txt.
;
; It installs for the current user without administrator rights, and for all users when it runs
; as administrator; /CurrentUser asks for the current user even then. /S installs silently, and
; the uninstaller's /S uninstalls silently.

!ifndef VERSION | PROGRAM_DIR | TEXT_DIR | ICON | OUTFILE
    !error "VERSION, PROGRAM_DIR, TEXT_DIR, ICON and OUTFILE are given with -D"
!endif

; TARGET (-DTARGET=amd64-unicode) makes the 64-bit installer of the tests' 64-bit build.
!ifdef TARGET
    Target ${TARGET}
!endif
Unicode true
SetCompressor /SOLID lzma
ManifestDPIAware true
; The installer asks for no elevation; an elevated start is how an administrator installs for
; everybody.
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Vornelik"
!define PUBLISHER "Vornelik developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vornelik"
; "Open with" for .wav files, without becoming their default program.
!define APPLICATION_KEY "Software\Classes\Applications\vornelik.exe"
!define WAV_OPEN_WITH_KEY "Software\Classes\.wav\OpenWithList\vornelik.exe"
!define SHORTCUT "$SMPROGRAMS\Vornelik.lnk"
; The read-me in the installer's language: its shortcut and the finish page name the Turkish
; text on a Turkish system, the English one elsewhere.
!define README_SHORTCUT "$SMPROGRAMS\$(ReadmeName).lnk"
; Sent after the file associations change, so that Explorer reads them again.
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey FileDescription "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey LegalCopyright "MIT License"

!define MUI_ICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!define MUI_FINISHPAGE_RUN "$INSTDIR\vornelik.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\$(ReadmeFile)"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first: it is the language of any system that is not Turkish.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Turkish"

LangString WelcomeText ${LANG_ENGLISH} \
    "Setup will install Vornelik ${VERSION}, which turns a short 8-bit 8 kHz recording into \
Proton BASIC code for a PIC18F4620.$\r$\n$\r$\n$_CLICK"
LangString WelcomeText ${LANG_TURKISH} \
    "Kurulum, kısa bir 8 bit 8 kHz ses kaydını PIC18F4620 için Proton BASIC koduna çeviren \
Vornelik ${VERSION} programını kuracak.$\r$\n$\r$\n$_CLICK"
LangString ShortcutComment ${LANG_ENGLISH} \
    "Turns a short recording into Proton BASIC code for a PIC18F4620"
LangString ShortcutComment ${LANG_TURKISH} \
    "Ses kaydını PIC18F4620 için Proton BASIC koduna çevirir"
LangString ReadmeFile ${LANG_ENGLISH} "README.txt"
LangString ReadmeFile ${LANG_TURKISH} "BENIOKU.txt"
LangString ReadmeName ${LANG_ENGLISH} "Vornelik - Read me"
LangString ReadmeName ${LANG_TURKISH} "Vornelik - Beni oku"
LangString AllUsersNeedsAdministrator ${LANG_ENGLISH} \
    "Vornelik was installed for all users of this computer. Only an administrator can remove it."
LangString AllUsersNeedsAdministrator ${LANG_TURKISH} \
    "Vornelik bu bilgisayarın tüm kullanıcıları için kuruldu. Yalnızca bir yönetici kaldırabilir."

Var ForAllUsers

; All users when running as administrator, unless /CurrentUser is asked for. A /D= folder on
; the command line wins over the default one, and an earlier install's folder over both.
Function .onInit
    UserInfo::GetAccountType
    Pop $0
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/CurrentUser" $2
    ${If} $0 == "Admin"
    ${AndIf} ${Errors}
        StrCpy $ForAllUsers 1
        SetShellVarContext all
    ${Else}
        StrCpy $ForAllUsers 0
        SetShellVarContext current
    ${EndIf}
    ReadRegStr $3 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $INSTDIR == ""
        ${If} $3 != ""
            StrCpy $INSTDIR $3
        ${ElseIf} $ForAllUsers == 1
            StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
        ${Else}
            StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
        ${EndIf}
    ${EndIf}
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File "${PROGRAM_DIR}\vornelik.exe"
    File "${PROGRAM_DIR}\vornelik-cli.exe"
    File "${TEXT_DIR}\README.txt"
    File "${TEXT_DIR}\BENIOKU.txt"
    File "${TEXT_DIR}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "${SHORTCUT}" "$INSTDIR\vornelik.exe" "" "$INSTDIR\vornelik.exe" 0 \
        SW_SHOWNORMAL "" "$(ShortcutComment)"
    CreateShortcut "${README_SHORTCUT}" "$INSTDIR\$(ReadmeFile)"

    WriteRegStr SHCTX "${APPLICATION_KEY}" "FriendlyAppName" "${PRODUCT}"
    WriteRegStr SHCTX "${APPLICATION_KEY}\DefaultIcon" "" "$INSTDIR\vornelik.exe,0"
    WriteRegStr SHCTX "${APPLICATION_KEY}\shell\open\command" "" '"$INSTDIR\vornelik.exe" "%1"'
    WriteRegStr SHCTX "${APPLICATION_KEY}\SupportedTypes" ".wav" ""
    WriteRegStr SHCTX "${WAV_OPEN_WITH_KEY}" "" ""

    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vornelik.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1

    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

; The uninstaller removes what it finds beside itself: the all-users install when the machine's
; Uninstall key names this folder. That one needs an administrator, so an uninstaller started
; without the rights starts itself again asking for them, once.
Function un.onInit
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != $INSTDIR
        SetShellVarContext current
        Return
    ${EndIf}
    SetShellVarContext all
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 == "Admin"
        Return
    ${EndIf}
    ${un.GetParameters} $2
    ClearErrors
    ${un.GetOptions} $2 "/Elevated" $3
    ${IfNot} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "$(AllUsersNeedsAdministrator)" /SD IDOK
        Quit
    ${EndIf}
    StrCpy $2 "/Elevated"
    ${If} ${Silent}
        StrCpy $2 "$2 /S"
    ${EndIf}
    ExecShell "runas" "$INSTDIR\uninstall.exe" $2
    Quit
FunctionEnd

; The keys go first and the folder last, so that a gone folder means a finished uninstall.
Section Uninstall
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    DeleteRegKey SHCTX "${APPLICATION_KEY}"
    DeleteRegKey SHCTX "${WAV_OPEN_WITH_KEY}"
    DeleteRegKey /ifempty SHCTX "Software\Classes\.wav\OpenWithList"
    DeleteRegKey /ifempty SHCTX "Software\Classes\.wav"
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

    Delete "${SHORTCUT}"
    ; Either language's, whichever the installer made.
    Delete "$SMPROGRAMS\Vornelik - Read me.lnk"
    Delete "$SMPROGRAMS\Vornelik - Beni oku.lnk"
    Delete "$INSTDIR\vornelik.exe"
    Delete "$INSTDIR\vornelik-cli.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\BENIOKU.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
