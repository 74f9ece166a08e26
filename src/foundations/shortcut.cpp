// Shell shortcut files (see shortcut.h).
#include "foundations/shortcut.h"

#include "foundations/fill_memo.h"
#include "foundations/handles.h"
#include "foundations/text.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

namespace {

// Resolve flags: no user interface, 500 ms time-out in the upper word.
const DWORD kResolveFlags = SLR_NO_UI | (500u << 16);

// Not a page text: it only tells a caller why a link gave no target.
const char kTargetGone[] = "File no longer exists";

bool ToWide(const char* text, WCHAR (&out)[MAX_PATH])
{
    return MultiByteToWideChar(CP_ACP, 0, text ? text : "", -1, out, MAX_PATH) > 0;
}

HRESULT CreateLinkObject(ComRef<IShellLinkA>& link, ComRef<IPersistFile>& file)
{
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void());
    if (FAILED(hr)) return hr;
    return link->QueryInterface(IID_IPersistFile, file.put_void());
}

// The link object for reading a shortcut. A fill reads many: creating the object costs more
// than loading a file into it, so one serves the whole fill.
HRESULT LinkObjectForFill(ComRef<IShellLinkA>& link, ComRef<IPersistFile>& file)
{
    static const char kKey[] = "shortcut|link";
    if (IUnknown* kept = RecallObject(kKey)) {
        HRESULT hr = kept->QueryInterface(IID_IShellLinkA, link.put_void());
        kept->Release();
        if (SUCCEEDED(hr)) return link->QueryInterface(IID_IPersistFile, file.put_void());
    }
    HRESULT hr = CreateLinkObject(link, file);
    if (SUCCEEDED(hr)) RememberObject(kKey, link.get());
    return hr;
}

// Resolve succeeds on some systems when the target is gone (it never searches); a
// target that is not there any more is reported as unresolvable all the same.
bool TargetIsGone(const char* target)
{
    return target[0] && GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace

HRESULT CreateShortcut(const char* linkFile, const char* target, const char* arguments, const char* workingDirectory,
                       const char* description, const char* iconFile, int iconIndex)
{
    WCHAR widePath[MAX_PATH];
    if (!ToWide(linkFile, widePath)) return E_INVALIDARG;

    ComRef<IShellLinkA> link;
    ComRef<IPersistFile> file;
    HRESULT hr = CreateLinkObject(link, file);
    if (FAILED(hr)) return hr;
    link->SetPath(target ? target : "");
    link->SetDescription(description ? description : "");
    link->SetIconLocation(iconFile ? iconFile : "", iconIndex);
    link->SetWorkingDirectory(workingDirectory ? workingDirectory : "");
    link->SetArguments(arguments ? arguments : "");
    return file->Save(widePath, TRUE);
}

HRESULT ResolveShortcut(HWND owner, const char* linkFile, char* target, int targetCapacity, char* description,
                        int descriptionCapacity)
{
    if (target && targetCapacity > 0) target[0] = '\0';
    if (description && descriptionCapacity > 0) description[0] = '\0';
    if (!target || !description || targetCapacity <= 0 || descriptionCapacity <= 0) return E_INVALIDARG;

    WCHAR widePath[MAX_PATH];
    if (!ToWide(linkFile, widePath)) return E_INVALIDARG;

    UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    ComRef<IShellLinkA> link;
    ComRef<IPersistFile> file;
    HRESULT hr = LinkObjectForFill(link, file);
    if (SUCCEEDED(hr)) hr = file->Load(widePath, STGM_READ);
    if (SUCCEEDED(hr)) hr = link->Resolve(owner, kResolveFlags);

    if (hr == S_OK) {
        char path[MAX_PATH] = "";
        char text[MAX_PATH] = "";
        link->GetDescription(text, MAX_PATH);
        hr = link->GetPath(path, MAX_PATH, nullptr, SLGP_SHORTPATH);
        if (TargetIsGone(path)) {
            hr = S_FALSE;
        } else if (SUCCEEDED(hr)) {
            // Some systems ignore SLGP_SHORTPATH; the short form is taken here as well (once
            // per fill for a target that several shortcuts share).
            std::string key = std::string("short|") + path;
            std::string shortForm;
            if (!RecallText(key, shortForm)) {
                shortForm = path;
                char shortPath[MAX_PATH];
                DWORD n = GetShortPathNameA(path, shortPath, sizeof shortPath);
                if (n > 0 && n < sizeof shortPath) shortForm = shortPath;
                RememberText(key, shortForm);
            }
            CopyText(path, shortForm.c_str());
            CopyText(target, (size_t)targetCapacity, path);
            CopyText(description, (size_t)descriptionCapacity, text);
        }
    }
    if (SUCCEEDED(hr) && hr != S_OK) {
        target[0] = '\0';
        CopyText(description, (size_t)descriptionCapacity, kTargetGone);
    }
    SetErrorMode(oldMode);
    return hr;
}
