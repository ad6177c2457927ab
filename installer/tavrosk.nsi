; The Tavrosk setup program:
;   makensis -DVERSION=x.y.z -DSTAGE=<staged release> -DFILES=files.nsh -DOUTFILE=setup.exe
;
; Run by an administrator it installs for every user (Program Files, the classes registered in
; HKEY_LOCAL_MACHINE); run by anyone else, for the current user only (%LOCALAPPDATA%\Programs,
; HKEY_CURRENT_USER\Software\Classes), which needs no administrator. Switches:
;   /AllUsers      install for every user (needs an administrator)
;   /CurrentUser   install for the current user only, also when run as an administrator
;   /S             silent; /D=<folder> (last on the line) chooses the folder
; The uninstaller takes the same switches; Add/Remove Programs starts it with the right one.
;
; Tavrosk.dll of each width has a folder of its own, win32\ and win64\, and each is registered
; by the regsvr32 of its width, in its own registry view; the 64-bit one only on 64-bit Windows.
!ifdef AMD64
Target amd64-unicode  ; the 64-bit build's release, for the tests where no 32-bit program runs
!else
Unicode true
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel highest

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "${FILES}"

!define PRODUCT "Tavrosk"
!define PUBLISHER "The Tavrosk developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrosk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "${PRODUCT}-${VERSION}-setup.exe"

; "1" for a per-user install, "0" for a per-machine one.
Var PerUser
!include "${__FILEDIR__}/upgrade.nsh"

!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The scope: the account's by default, a switch when given. Sets $PerUser and the context of
; $SMPROGRAMS, $LOCALAPPDATA and SHCTX (HKLM or HKCU).
!macro ChooseScope UN
Function ${UN}ChooseScope
  StrCpy $PerUser 1
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $PerUser 0
  ${EndIf}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/CurrentUser" $2
  ${IfNot} ${Errors}
    StrCpy $PerUser 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $1 "/AllUsers" $2
  ${IfNot} ${Errors}
    ${If} $0 != "Admin"
      MessageBox MB_ICONSTOP "/AllUsers needs an administrator." /SD IDOK
      SetErrorLevel 5
      Quit
    ${EndIf}
    StrCpy $PerUser 0
  ${EndIf}
  ${If} $PerUser == 1
    SetShellVarContext current
  ${Else}
    SetShellVarContext all
  ${EndIf}
FunctionEnd
!macroend
!insertmacro ChooseScope ""
!insertmacro ChooseScope "un."

Function .onInit
  Call ChooseScope
  Call ChooseUpgrade
  ${If} $INSTDIR == ""
    ${If} $PerUser == 1
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  Call un.ChooseScope
FunctionEnd

; regsvr32 of WIDTH's system folder for WIDTH\Tavrosk.dll; its exit code in $0. This 32-bit
; program reaches the 64-bit one with the file system's redirection turned off.
!macro Regsvr32 WIDTH OPTIONS
  !if "${WIDTH}" == "win64"
    !ifndef AMD64
      ${DisableX64FSRedirection}
    !endif
  !endif
  ${If} $PerUser == 1
    ExecWait '"$WINDIR\System32\regsvr32.exe" /s ${OPTIONS} /n /i:user "$INSTDIR\${WIDTH}\Tavrosk.dll"' $0
  ${Else}
    ExecWait '"$WINDIR\System32\regsvr32.exe" /s ${OPTIONS} "$INSTDIR\${WIDTH}\Tavrosk.dll"' $0
  ${EndIf}
  !if "${WIDTH}" == "win64"
    !ifndef AMD64
      ${EnableX64FSRedirection}
    !endif
  !endif
!macroend

!macro InstallLibrary WIDTH
  !insertmacro ${WIDTH}Files
  !insertmacro Regsvr32 ${WIDTH} ""
  ${If} $0 != 0
    MessageBox MB_ICONSTOP "Registering ${WIDTH}\Tavrosk.dll failed (regsvr32 exit code $0)." /SD IDOK
    SetErrorLevel 3
  ${EndIf}
!macroend

Section "Tavrosk library" SecLibrary
  SectionIn RO
  !insertmacro RemoveInstalledRelease
  !insertmacro TopFiles
  !ifdef HAVE_win32
    !insertmacro InstallLibrary win32
  !endif
  !ifdef HAVE_win64
    ${If} ${RunningX64}
      !insertmacro InstallLibrary win64
    ${EndIf}
  !endif

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ${If} $PerUser == 1
    StrCpy $1 "/CurrentUser"
  ${Else}
    StrCpy $1 "/AllUsers"
  ${EndIf}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Uninstall.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" $1'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S $1'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Reference Korvex host" SecReferenceHost
  !insertmacro ReferenceHostFiles
SectionEnd

Section "Examples" SecExamples
  !insertmacro ExamplesFiles
SectionEnd

Section "-Size"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecLibrary} \
    "Tavrosk.dll for 32-bit clients (win32) and, on 64-bit Windows, for 64-bit ones (win64), registered, with its type library."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecReferenceHost} \
    "An in-memory Korvex IDE (Zavoplex.dll and the VB DEBUGGER relay tool) in a folder of its own, to test plug-ins against."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecExamples} "A first plug-in in VBScript and in VB6/VBA."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  !ifdef HAVE_win32
    !insertmacro Regsvr32 win32 "/u"
  !endif
  !ifdef HAVE_win64
    ${If} ${RunningX64}
      !insertmacro Regsvr32 win64 "/u"
    ${EndIf}
  !endif
  !insertmacro RemoveFiles
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR\win32"
  RMDir "$INSTDIR\win64"
  RMDir "$INSTDIR\ReferenceHost"
  RMDir "$INSTDIR\Examples"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
