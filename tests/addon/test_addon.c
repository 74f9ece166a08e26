/* A small in-process COM server for the IE Helpers tests: DllRegisterServer registers it
   as a browser helper object, a toolbar and a toolbar button, all served by this file;
   DllUnregisterServer removes exactly that again. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "test_addon.h"

static HINSTANCE g_module;

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) g_module = module;
    return TRUE;
}

static LONG SetText(HKEY hive, const char* key, const char* name, const char* text)
{
    HKEY opened;
    LONG status = RegCreateKeyExA(hive, key, 0, NULL, 0, KEY_WRITE, NULL, &opened, NULL);
    if (status != ERROR_SUCCESS) return status;
    status = RegSetValueExA(opened, name, 0, REG_SZ, (const BYTE*)text, (DWORD)strlen(text) + 1);
    RegCloseKey(opened);
    return status;
}

static LONG RegisterAddonClass(const char* id, const char* name, const char* path)
{
    char key[128];
    char server[160];
    snprintf(key, sizeof key, "CLSID\\%s", id);
    snprintf(server, sizeof server, "%s\\InprocServer32", key);
    LONG status = SetText(HKEY_CLASSES_ROOT, key, NULL, name);
    if (status == ERROR_SUCCESS) status = SetText(HKEY_CLASSES_ROOT, server, NULL, path);
    if (status == ERROR_SUCCESS) status = SetText(HKEY_CLASSES_ROOT, server, "ThreadingModel", "Apartment");
    return status;
}

static void UnregisterAddonClass(const char* id)
{
    char key[128];
    char server[160];
    snprintf(key, sizeof key, "CLSID\\%s", id);
    snprintf(server, sizeof server, "%s\\InprocServer32", key);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, server);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
}

__declspec(dllexport) HRESULT __stdcall DllRegisterServer(void)
{
    char path[MAX_PATH];
    if (!GetModuleFileNameA(g_module, path, sizeof path)) return E_FAIL;
    LONG status = RegisterAddonClass(TEST_ADDON_BHO, "Test Add-on Helper", path);
    if (status == ERROR_SUCCESS) status = RegisterAddonClass(TEST_ADDON_TOOLBAR, "Test Add-on Toolbar", path);
    if (status == ERROR_SUCCESS) status = SetText(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY, NULL, "Test Add-on Helper");
    if (status == ERROR_SUCCESS) status = SetText(HKEY_LOCAL_MACHINE, TEST_ADDON_TOOLBAR_KEY, TEST_ADDON_TOOLBAR, "");
    if (status == ERROR_SUCCESS) status = SetText(HKEY_LOCAL_MACHINE, TEST_ADDON_BUTTON_KEY, "ButtonText", "Test Button");
    if (status == ERROR_SUCCESS) status = SetText(HKEY_LOCAL_MACHINE, TEST_ADDON_BUTTON_KEY, "Exec", path);
    return status == ERROR_SUCCESS ? S_OK : E_FAIL;
}

__declspec(dllexport) HRESULT __stdcall DllUnregisterServer(void)
{
    HKEY toolbar;
    UnregisterAddonClass(TEST_ADDON_BHO);
    UnregisterAddonClass(TEST_ADDON_TOOLBAR);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, TEST_ADDON_BUTTON_KEY);
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, TEST_ADDON_TOOLBAR_KEY, 0, KEY_SET_VALUE, &toolbar) == ERROR_SUCCESS) {
        RegDeleteValueA(toolbar, TEST_ADDON_TOOLBAR);
        RegCloseKey(toolbar);
    }
    return S_OK;
}
