#!/usr/bin/env python3
"""Writes the Windows Installer source of the package for wixl.

  make-wxs.py --arch x64|x86 --version 1.9.1.0 --data DIR --bin BIN [--bin32 BIN32] -o OUT.wxs

x86: the 32-bit components from BIN. x64: the 64-bit components from BIN
and the 32-bit ones from BIN32, side by side, each DLL in its own Program
Files folder and registered in its own registry view. COM classes are
registered by the package's own rows (COM_CLASSES), which a test holds
equal to what DllRegisterServer writes; nothing self-registers.
"""
import argparse
import os
import sys
import uuid
from xml.sax.saxutils import escape, quoteattr

MANUFACTURER = "Tavo"
PRODUCT = "Tavo OPOS"
FOLDER = "Tavo OPOS"
SERVICE_INFO = r"Software\OLEforRetail\ServiceInfo\Tavo OPOS"
UPGRADE_CODES = {"x64": "5C0E2F7A-93B1-4E57-8D3A-61F0C2A4B864", "x86": "2A7D9E14-6B30-4C8F-A1E5-0D93B7C6F215"}
# (ProgID, CLSID): the classes ptrservice.dll serves.
COM_CLASSES = [
    ("Tavo.POSPrinter.ServiceObject.1.9", "{A15AA58F-FA00-4ED7-ABEB-2D823DEEAE22}"),
    ("Tavo.CashDrawer.ServiceObject1.9", "{62A6B3AF-642F-4079-B263-879204D27AEE}"),
    ("Tavo.LineDisplay.ServiceObject.1.9", "{A6C4BD93-90B5-486E-884F-2185BFE8C845}"),
]
THREADING_MODEL = "Apartment"
BINARIES = ["ptrservice.dll", "portmgr.dll", "devsetup.exe"]
# The custom actions DLL (Binary table) of the package's own width.
CUSTOM_ACTIONS = "devsetupca.dll"
GUID_NAMESPACE = uuid.UUID("8F1C3A52-7E64-4B0D-9C2E-5A7B1D0E3F49")


def guid(name):
    """Component GUIDs stay the same from build to build."""
    return str(uuid.uuid5(GUID_NAMESPACE, name)).upper()


class Writer:
    def __init__(self):
        self.lines = []
        self.components = []

    def add(self, depth, text):
        self.lines.append("  " * depth + text)

    def component(self, depth, cid, win64, body):
        self.components.append(cid)
        self.add(depth, f'<Component Id="{cid}" Guid="{guid(cid)}" Win64="{"yes" if win64 else "no"}">')
        for line in body:
            self.add(depth + 1, line)
        self.add(depth, "</Component>")


SOURCE_BASE = "."  # wixl takes sources relative to where it runs: the .wxs folder


def file_row(fid, path, keypath=True):
    key = ' KeyPath="yes"' if keypath else ""
    source = os.path.relpath(path, SOURCE_BASE)
    return f'<File Id="{fid}" Name={quoteattr(os.path.basename(path))} Source={quoteattr(source)}{key}/>'


def reg(root, key, name, value, keypath=False):
    attr = f" Name={quoteattr(name)}" if name else ""
    kp = ' KeyPath="yes"' if keypath else ""
    return f'<RegistryValue Root="{root}" Key={quoteattr(key)}{attr} Type="string" Value={quoteattr(value)}{kp}/>'


def shortcut(sid, name, file_id, folder):
    return (f'<Shortcut Id="{sid}Shortcut" Name="{name}" Description="Register and test OPOS devices" '
            f'Target="[#{file_id}]" WorkingDirectory="{folder}"/>')


def com_rows(server_file_id):
    rows = []
    for progid, clsid in COM_CLASSES:
        clsid_key = "CLSID\\" + clsid
        rows += [reg("HKCR", progid, None, progid), reg("HKCR", progid + "\\CLSID", None, clsid),
                 reg("HKCR", clsid_key, None, progid), reg("HKCR", clsid_key + "\\ProgID", None, progid),
                 reg("HKCR", clsid_key + "\\InprocServer32", None, f"[#{server_file_id}]"),
                 reg("HKCR", clsid_key + "\\InprocServer32", "ThreadingModel", THREADING_MODEL)]
    return rows


def width_components(w, depth, suffix, bin_dir, win64, data_folder):
    """The programs of one width, their COM rows and that view's ServiceInfo.
    devsetup of each width writes the device entries of its own view."""
    server_id = "ptrservice" + suffix
    w.component(depth, "Server" + suffix, win64,
                [file_row(server_id, os.path.join(bin_dir, "ptrservice.dll"))] + com_rows(server_id))
    w.component(depth, "PortManager" + suffix, win64, [
        file_row("portmgr" + suffix, os.path.join(bin_dir, "portmgr.dll")),
        reg("HKLM", SERVICE_INFO, "Installdir", data_folder),
        reg("HKLM", SERVICE_INFO, "mngdir", f"[#portmgr{suffix}]"),
    ])
    w.component(depth, "SetupProgram" + suffix, win64, [file_row("devsetup" + suffix, os.path.join(bin_dir, "devsetup.exe"))])


def custom_actions(w, bin_dir):
    """The package's custom actions, both in devsetupca.dll.

    OpenTraceFolder grants Users modify rights on the trace log's folder
    once CreateFolders (3700) has made it: an inherited folder of the common
    application data lets a user create a file but not write one that
    another account made first.

    DEVICECONFIG=FILE and DEVICESET="CLASS\\DEVICE:VALUE=DATA;...": the
    set-up file is imported (devsetup's import code) after the files and
    ServiceInfo values are written, still inside the transaction, so a
    refused file rolls the whole installation back."""
    source = os.path.relpath(os.path.join(bin_dir, CUSTOM_ACTIONS), SOURCE_BASE)
    installing = 'NOT REMOVE~="ALL"'
    importing = 'DEVICECONFIG AND NOT REMOVE~="ALL"'
    w.add(2, f'<Binary Id="CustomActions" SourceFile={quoteattr(source)}/>')
    w.add(2, '<CustomAction Id="SetOpenTraceFolder" Property="OpenTraceFolder" Value="[TRACEDIR]"/>')
    w.add(2, '<CustomAction Id="OpenTraceFolder" BinaryKey="CustomActions" DllEntry="OpenTraceFolder" '
             'Execute="deferred" Impersonate="no" Return="ignore"/>')
    w.add(2, '<CustomAction Id="SetImportDeviceSetup" Property="ImportDeviceSetup" '
             'Value="[DEVICECONFIG]|[DEVICESET]"/>')
    w.add(2, '<CustomAction Id="ImportDeviceSetup" BinaryKey="CustomActions" DllEntry="ImportDeviceSetup" '
             'Execute="deferred" Impersonate="no" Return="check"/>')
    w.add(2, "<InstallExecuteSequence>")
    # Numbered, as wixl places Before= elsewhere: the folder's rights right
    # after CreateFolders (3700); the import just before InstallFinalize
    # (6600), after WriteRegistryValues (5000) has put "Installdir" in place.
    w.add(3, f'<Custom Action="SetOpenTraceFolder" Sequence="3705">{escape(installing)}</Custom>')
    w.add(3, f'<Custom Action="OpenTraceFolder" Sequence="3710">{escape(installing)}</Custom>')
    w.add(3, f'<Custom Action="SetImportDeviceSetup" Sequence="6590">{escape(importing)}</Custom>')
    w.add(3, f'<Custom Action="ImportDeviceSetup" Sequence="6595">{escape(importing)}</Custom>')
    w.add(2, "</InstallExecuteSequence>")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--arch", choices=["x64", "x86"], required=True)
    ap.add_argument("--version", required=True)
    ap.add_argument("--data", required=True)
    ap.add_argument("--bin", required=True)
    ap.add_argument("--bin32")
    ap.add_argument("-o", "--output", required=True)
    args = ap.parse_args()
    global SOURCE_BASE
    SOURCE_BASE = os.path.dirname(os.path.abspath(args.output))
    x64 = args.arch == "x64"
    if x64 and not args.bin32:
        sys.exit("make-wxs.py: the x64 package needs --bin32 (the 32-bit build's programs)")
    for folder in [args.bin] + ([args.bin32] if x64 else []):
        for name in BINARIES:
            if not os.path.isfile(os.path.join(folder, name)):
                sys.exit(f"make-wxs.py: {os.path.join(folder, name)} is missing; build it first")
    if not os.path.isfile(os.path.join(args.bin, CUSTOM_ACTIONS)):
        sys.exit(f"make-wxs.py: {os.path.join(args.bin, CUSTOM_ACTIONS)} is missing; build it first")
    data_files = sorted(f for f in os.listdir(args.data) if f.lower().endswith(".inf"))

    w = Writer()
    w.add(0, '<?xml version="1.0" encoding="utf-8"?>')
    w.add(0, '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">')
    w.add(1, f'<Product Id="*" Name="{PRODUCT}" Language="1033" Version="{args.version}" '
             f'Manufacturer="{MANUFACTURER}" UpgradeCode="{UPGRADE_CODES[args.arch]}">')
    w.add(2, '<Package InstallerVersion="200" Compressed="yes" InstallScope="perMachine" '
             f'Description="{PRODUCT} {args.version} ({args.arch})"/>')
    w.add(2, '<MajorUpgrade DowngradeErrorMessage="A newer version of Tavo OPOS is already installed."/>')
    w.add(2, '<Media Id="1" Cabinet="tavo.cab" EmbedCab="yes"/>')
    custom_actions(w, args.bin)
    w.add(2, '<Directory Id="TARGETDIR" Name="SourceDir">')
    main_root = "ProgramFiles64Folder" if x64 else "ProgramFilesFolder"
    w.add(3, f'<Directory Id="{main_root}">')
    w.add(4, f'<Directory Id="INSTALLDIR" Name="{FOLDER}">')
    # "Installdir" carries no trailing backslash, which [INSTALLDIR] always
    # has: it is spelt from the parent folder, so the folder is fixed.
    data_folder = f"[{main_root}]{FOLDER}"
    width_components(w, 5, "", args.bin, x64, data_folder)
    w.component(5, "SetupData", x64, [file_row(f"data{i}", os.path.join(args.data, f), i == 0)
                                      for i, f in enumerate(data_files)])
    w.add(5, '<Directory Id="UTILITYDIR" Name="Utility">')
    w.component(6, "UtilityFolder", x64, ['<CreateFolder/>'])
    w.add(5, "</Directory>")
    w.add(4, "</Directory>")
    w.add(3, "</Directory>")
    if x64:
        w.add(3, '<Directory Id="ProgramFilesFolder">')
        w.add(4, f'<Directory Id="INSTALLDIR32" Name="{FOLDER}">')
        # The 32-bit view's Installdir names the one copy of the data files.
        width_components(w, 5, "32", args.bin32, False, data_folder)
        w.add(4, "</Directory>")
        w.add(3, "</Directory>")
    # The trace log's default folder, which users may write (Program Files
    # refuses them); OpenTraceFolder gives it its rights.
    w.add(3, '<Directory Id="CommonAppDataFolder">')
    w.add(4, f'<Directory Id="TRACEDIR" Name="{FOLDER}">')
    w.component(5, "TraceFolder", x64, ['<CreateFolder/>'])
    w.add(4, "</Directory>")
    w.add(3, "</Directory>")
    w.add(3, '<Directory Id="ProgramMenuFolder">')
    w.add(4, f'<Directory Id="MENUDIR" Name="{FOLDER}">')
    shortcuts = [shortcut("Devsetup", "Device Setup", "devsetup", "INSTALLDIR")]
    if x64:
        shortcuts.append(shortcut("Devsetup32", "Device Setup (32-bit applications)", "devsetup32", "INSTALLDIR32"))
    w.component(5, "MenuShortcuts", x64, shortcuts + [
        '<RemoveFolder Id="RemoveMenuDir" On="uninstall"/>',
        reg("HKCU", r"Software\Tavo\OPOS", "MenuShortcuts", "1", keypath=True)])
    w.add(4, "</Directory>")
    w.add(3, "</Directory>")
    w.add(2, "</Directory>")
    w.add(2, '<Feature Id="Package" Title="Tavo OPOS" Level="1">')
    for cid in w.components:
        w.add(3, f'<ComponentRef Id="{cid}"/>')
    w.add(2, "</Feature>")
    w.add(1, "</Product>")
    w.add(0, "</Wix>")
    with open(args.output, "w", encoding="utf-8") as out:
        out.write("\n".join(w.lines) + "\n")


if __name__ == "__main__":
    main()
