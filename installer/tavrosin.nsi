; Windows installer of the editor, built by scripts/release.sh:
;   makensis -DVERSION=1.0.0 -DSTAGE=<folder with the program files> -DICON=<icon> -DOUTFILE=<setup.exe> tavrosin.nsi
; It installs for the current user only, into a folder the user can write: the program keeps its
; configuration, palettes and histories beside itself.
Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define APP "Tavrosin"
!define CAPTION "ZodIrerar"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define MAP_CLASS "Tavrosin.Map"

Name "${CAPTION} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "${APP}"
VIAddVersionKey /LANG=1041 "FileDescription" "${CAPTION} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "CompanyName" "Tavrosin 開発チーム"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Tavrosin 開発チーム"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tavrosin.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

!macro WriteAssociation ROOT
    WriteRegStr ${ROOT} "Software\Classes\.MED" "" "${MAP_CLASS}"
    WriteRegStr ${ROOT} "Software\Classes\${MAP_CLASS}" "" "${CAPTION} マップ"
    WriteRegStr ${ROOT} "Software\Classes\${MAP_CLASS}\DefaultIcon" "" "$INSTDIR\Tavrosin.exe,0"
    WriteRegStr ${ROOT} "Software\Classes\${MAP_CLASS}\shell\open\command" "" '"$INSTDIR\Tavrosin.exe" "%1"'
    WriteRegStr ${ROOT} "Software\Classes\${MAP_CLASS}\shell\print\command" "" '"$INSTDIR\Tavrosin.exe" /p "%1"'
!macroend

; The association goes only while it is still ours.
!macro RemoveAssociation ROOT
    ReadRegStr $0 ${ROOT} "Software\Classes\.MED" ""
    StrCmp $0 "${MAP_CLASS}" 0 +2
    DeleteRegKey ${ROOT} "Software\Classes\.MED"
    ReadRegStr $0 ${ROOT} "Software\Classes\${MAP_CLASS}\shell\open\command" ""
    StrCmp $0 '"$INSTDIR\Tavrosin.exe" "%1"' 0 +2
    DeleteRegKey ${ROOT} "Software\Classes\${MAP_CLASS}"
!macroend

!macro IsWineFunction PREFIX
Function ${PREFIX}IsWine
    ClearErrors
    EnumRegKey $0 HKCU "Software\Wine" 0
    ${If} $0 == ""
        Push "0"
    ${Else}
        Push "1"
    ${EndIf}
FunctionEnd
!macroend
!insertmacro IsWineFunction ""
!insertmacro IsWineFunction "un."

Section "Install"
    SetOutPath "$INSTDIR"
    File "${STAGE}/Tavrosin.exe"
    File "${STAGE}/Base.mpb"
    File "${STAGE}/Tavrosin.chm"
    File "${STAGE}/readme-ja.txt"
    File "${STAGE}/README-en.txt"
    SetOutPath "$INSTDIR\home"
    File /r "${STAGE}/home/*.*"
    ; The samples never overwrite a map of the same name the user already has.
    SetOutPath "$INSTDIR\DATA"
    SetOverwrite off
    File "${STAGE}/DATA/*.MED"
    SetOverwrite on
    SetOutPath "$INSTDIR"

    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateDirectory "$SMPROGRAMS\${CAPTION}"
    CreateShortcut "$SMPROGRAMS\${CAPTION}\${CAPTION}.lnk" "$INSTDIR\Tavrosin.exe"
    CreateShortcut "$SMPROGRAMS\${CAPTION}\${CAPTION} ヘルプ.lnk" "$INSTDIR\Tavrosin.chm"

    ; Map files open with the editor; "print" prints them on the default printer without a dialog.
    !insertmacro WriteAssociation HKCU
    ; Wine before 9 looks for associations only in the machine's classes, not in the user's.
    Call IsWine
    Pop $0
    ${If} $0 == "1"
        !insertmacro WriteAssociation HKLM
    ${EndIf}

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${CAPTION} ${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tavrosin 開発チーム"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tavrosin.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; Removes what the installer put there and keeps what the user made: the maps in DATA (the samples
; too, which may have been edited), Start.mps, the histories, the configuration file and its backups.
Section "Uninstall"
    Delete "$INSTDIR\Tavrosin.exe"
    Delete "$INSTDIR\Base.mpb"
    Delete "$INSTDIR\Tavrosin.chm"
    Delete "$INSTDIR\readme-ja.txt"
    Delete "$INSTDIR\README-en.txt"
    RMDir /r "$INSTDIR\home"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${CAPTION}\${CAPTION}.lnk"
    Delete "$SMPROGRAMS\${CAPTION}\${CAPTION} ヘルプ.lnk"
    RMDir "$SMPROGRAMS\${CAPTION}"

    !insertmacro RemoveAssociation HKCU
    Call un.IsWine
    Pop $0
    ${If} $0 == "1"
        !insertmacro RemoveAssociation HKLM
    ${EndIf}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
