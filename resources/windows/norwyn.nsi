; The Windows installer of Norwyn: norwyn.scr in System32, an entry in the
; list of installed programs with its uninstaller, and, as chosen on the
; components page (on by default, and with /S), Norwyn as the current screen
; saver. Its pages speak Spanish, as the saver's dialogs do.
;
;   makensis -DVERSION=0.1.0 -DSCR=/path/to/norwyn.scr -DOUTFILE=/path/to/setup.exe norwyn.nsi
;
; cmake/windows_installer.cmake runs it so. The uninstaller puts back the
; screen saver chosen before, if Norwyn is still the one chosen, and leaves
; the saver's own settings (HKCU\Software\Halvoren\Quelmar\V01) to the user.

!ifndef VERSION
    !error "makensis -DVERSION=<x.y.z> is needed"
!endif
!ifndef SCR
    !error "makensis -DSCR=<path of norwyn.scr> is needed"
!endif
!ifndef OUTFILE
    !error "makensis -DOUTFILE=<path of the installer> is needed"
!endif

; A 64-bit installer for the 64-bit norwyn.scr: it runs under wine64 and
; where the saver itself runs.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Norwyn"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SAVER_VALUE "SCRNSAVE.EXE"
; Where the install keeps the SCRNSAVE.EXE it replaced, beside its own entry.
; Missing when there was none.
!define PREVIOUS_SAVER_VALUE "PreviousScreenSaver"
!define UNINSTALLER "desinstalar.exe"

Name "Norwyn"
OutFile "${OUTFILE}"
; The uninstaller's folder; the saver itself goes to System32, where the
; display settings look for screen savers.
InstallDir "$PROGRAMFILES64\Norwyn"
RequestExecutionLevel admin
BrandingText "Halvoren"

!define MUI_ICON "${__FILEDIR__}\..\norwyn.ico"
!define MUI_UNICON "${__FILEDIR__}\..\norwyn.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_TITLE "Norwyn esta instalado"
!define MUI_FINISHPAGE_TEXT "Norwyn esta en la lista de protectores de pantalla de Windows: Configuracion > Personalizacion > Pantalla de bloqueo > Protector de pantalla. Alli, Configuracion... abre sus opciones.$\r$\n$\r$\nPulse Terminar para cerrar el asistente."

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductName" "Norwyn"
VIAddVersionKey /LANG=${LANG_SPANISH} "CompanyName" "Halvoren"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileDescription" "Instalador de Norwyn"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "LegalCopyright" "Copyright 2026 Halvoren"

; Sets $R0 to 1 when the path in $R0 names the norwyn.scr this installs,
; as Windows writes it (long or short, in any case), else to 0. Defined for
; the installer and for the uninstaller, which cannot share a function.
!macro DEFINE_IS_INSTALLED_SAVER prefix
    Function ${prefix}IsInstalledSaver
        Push $R1
        GetFullPathName /SHORT $R1 "$SYSDIR\norwyn.scr"
        ${If} $R0 == "$SYSDIR\norwyn.scr"
        ${OrIf} $R0 == $R1
            StrCpy $R0 1
        ${Else}
            StrCpy $R0 0
        ${EndIf}
        Pop $R1
    FunctionEnd
!macroend
!insertmacro DEFINE_IS_INSTALLED_SAVER ""
!insertmacro DEFINE_IS_INSTALLED_SAVER "un."

; A 64-bit installer sees the real System32 as $SYSDIR and the 64-bit
; registry anyway; these keep it so if it is ever built 32-bit, where
; Windows would send both to their 32-bit copies.
!macro SYSTEM_VIEWS_64
    SetRegView 64
    ${DisableX64FSRedirection}
!macroend

Function .onInit
    !insertmacro SYSTEM_VIEWS_64
FunctionEnd

Function un.onInit
    !insertmacro SYSTEM_VIEWS_64
FunctionEnd

Section "Norwyn (protector de pantalla)" SecSaver
    SectionIn RO
    SetOutPath "$SYSDIR"
    File "/oname=norwyn.scr" "${SCR}"

    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Norwyn"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Halvoren"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\norwyn.scr,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

    ; In kilobytes, as the list of programs shows it: the saver and the
    ; uninstaller's folder.
    ${GetSize} "$SYSDIR" "/M=norwyn.scr /S=0K /G=0" $0 $1 $2
    ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
    IntOp $0 $0 + $1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Usar Norwyn como protector de pantalla" SecCurrent
    ClearErrors
    ReadRegStr $R0 HKCU "${DESKTOP_KEY}" "${SAVER_VALUE}"
    ${If} ${Errors}
        ; No screen saver was chosen: the uninstaller removes the value.
        DeleteRegValue HKLM "${UNINSTALL_KEY}" "${PREVIOUS_SAVER_VALUE}"
    ${Else}
        StrCpy $R2 $R0
        Call IsInstalledSaver
        ; Already Norwyn, as on a second install: what an earlier install
        ; kept stays the one to put back.
        ${If} $R0 == 0
            WriteRegStr HKLM "${UNINSTALL_KEY}" "${PREVIOUS_SAVER_VALUE}" $R2
        ${EndIf}
    ${EndIf}
    WriteRegStr HKCU "${DESKTOP_KEY}" "${SAVER_VALUE}" "$SYSDIR\norwyn.scr"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecSaver} "Copia norwyn.scr en la carpeta del sistema, donde Windows busca los protectores de pantalla."
    !insertmacro MUI_DESCRIPTION_TEXT ${SecCurrent} "Elige Norwyn como protector de pantalla. Al desinstalarlo vuelve el que habia."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
    ; Only a Norwyn that is still the chosen saver gives way to the one
    ; chosen before it; a saver the user has picked since stays.
    ClearErrors
    ReadRegStr $R0 HKCU "${DESKTOP_KEY}" "${SAVER_VALUE}"
    ${IfNot} ${Errors}
        Call un.IsInstalledSaver
        ${If} $R0 == 1
            ClearErrors
            ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "${PREVIOUS_SAVER_VALUE}"
            ${If} ${Errors}
                DeleteRegValue HKCU "${DESKTOP_KEY}" "${SAVER_VALUE}"
            ${Else}
                WriteRegStr HKCU "${DESKTOP_KEY}" "${SAVER_VALUE}" $R1
            ${EndIf}
        ${EndIf}
    ${EndIf}

    ; A saver still running (the display settings' preview) is removed at
    ; the next start of Windows.
    Delete /REBOOTOK "$SYSDIR\norwyn.scr"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
