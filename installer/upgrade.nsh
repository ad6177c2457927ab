; Installing over an installed release (tavrosk.nsi includes this after its definitions).
;
; An older or the same release is replaced: the new one goes into its folder and its scope
; (per machine or per user, whatever switch is given), and its own uninstaller removes it, files,
; registration and Add/Remove Programs entry, just before the new files are installed, so that
; one entry and only the new files remain. A newer release is left alone: the setup program
; says so and ends with exit code 6, unless the user uninstalls the newer one first.
!include "WordFunc.nsh"

!define EXIT_NEWER_INSTALLED 6

Var InstalledVersion  ; "" when no release is installed
Var InstalledFolder
Var InstalledPerUser

; The installed release of either scope, the per-machine one first.
Function FindInstalledRelease
  StrCpy $InstalledPerUser 0
  ReadRegStr $InstalledVersion HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  ReadRegStr $InstalledFolder HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $InstalledVersion == ""
    StrCpy $InstalledPerUser 1
    ReadRegStr $InstalledVersion HKCU "${UNINSTALL_KEY}" "DisplayVersion"
    ReadRegStr $InstalledFolder HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${EndIf}
FunctionEnd

; From .onInit, after the scope is chosen: refuses a downgrade, and takes over an installed
; release's scope and folder.
Function ChooseUpgrade
  Call FindInstalledRelease
  ${If} $InstalledVersion == ""
    Return
  ${EndIf}
  ${VersionCompare} "$InstalledVersion" "${VERSION}" $0
  ${If} $0 == 1
    MessageBox MB_ICONSTOP "${PRODUCT} $InstalledVersion is installed, which is newer than this setup program's ${VERSION}. To install ${VERSION}, first uninstall ${PRODUCT} $InstalledVersion (Add/Remove Programs)." /SD IDOK
    SetErrorLevel ${EXIT_NEWER_INSTALLED}
    Quit
  ${EndIf}
  ${If} $InstalledPerUser == 0
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
      MessageBox MB_ICONSTOP "${PRODUCT} $InstalledVersion is installed for every user: replacing it needs an administrator." /SD IDOK
      SetErrorLevel 5
      Quit
    ${EndIf}
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
  StrCpy $PerUser $InstalledPerUser
  ${If} $INSTDIR == ""
    StrCpy $INSTDIR $InstalledFolder
  ${EndIf}
FunctionEnd

; The installed release's uninstaller, run where it lies (_?=) and waited for; then the
; uninstaller itself, which cannot remove itself so run, and its folder when empty.
!macro RemoveInstalledRelease
  ${If} $InstalledVersion != ""
  ${AndIf} ${FileExists} "$InstalledFolder\Uninstall.exe"
    DetailPrint "Removing ${PRODUCT} $InstalledVersion"
    ${If} $InstalledPerUser == 1
      StrCpy $1 "/CurrentUser"
    ${Else}
      StrCpy $1 "/AllUsers"
    ${EndIf}
    ExecWait '"$InstalledFolder\Uninstall.exe" /S $1 _?=$InstalledFolder' $0
    ${If} $0 != 0
      MessageBox MB_ICONSTOP "Removing ${PRODUCT} $InstalledVersion failed (exit code $0)." /SD IDOK
      SetErrorLevel 3
      Quit
    ${EndIf}
    Delete "$InstalledFolder\Uninstall.exe"
    RMDir "$InstalledFolder"
  ${EndIf}
!macroend
