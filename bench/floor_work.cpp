// Floor work shared by several cases (see floor_work.h).
#include "floor_work.h"

#include <wincrypt.h>
#include <wintrust.h>
#include <softpub.h>
#include <mscat.h>

namespace {

// The SHA-256 forms are missing from the import library: taken from wintrust.dll, as the
// program does.
template <typename F> F Wintrust(const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("wintrust.dll"), name)));
}
const auto kAcquire2 = Wintrust<decltype(&CryptCATAdminAcquireContext2)>("CryptCATAdminAcquireContext2");
const auto kHash2 = Wintrust<decltype(&CryptCATAdminCalcHashFromFileHandle2)>("CryptCATAdminCalcHashFromFileHandle2");

LONG Verify(DWORD choice, void* subject)
{
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    WINTRUST_DATA data = {};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = choice;
    data.pFile = static_cast<WINTRUST_FILE_INFO*>(subject);
    data.dwStateAction = WTD_STATEACTION_IGNORE;
    data.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
    return WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
}

void ReadSigner(const wchar_t* path, DWORD contentFlags)
{
    DWORD encoding = 0;
    HCERTSTORE store = nullptr;
    HCRYPTMSG message = nullptr;
    if (!CryptQueryObject(CERT_QUERY_OBJECT_FILE, path, contentFlags, CERT_QUERY_FORMAT_FLAG_BINARY, 0, &encoding,
                          nullptr, nullptr, &store, &message, nullptr))
        return;
    DWORD size = 0;
    CryptMsgGetParam(message, CMSG_SIGNER_INFO_PARAM, 0, nullptr, &size);
    CryptMsgClose(message);
    CertCloseStore(store, 0);
}

bool InCatalog(HCATADMIN admin, bool sha256, HANDLE file, const wchar_t* path)
{
    BYTE hash[64];
    DWORD size = sizeof hash;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    if (!admin || !(sha256 ? kHash2 && kHash2(admin, file, &size, hash, 0)
                           : CryptCATAdminCalcHashFromFileHandle(file, &size, hash, 0)))
        return false;
    HCATINFO catalog = CryptCATAdminEnumCatalogFromHash(admin, hash, size, 0, nullptr);
    if (!catalog) return false;
    CATALOG_INFO info = {};
    info.cbStruct = sizeof info;
    if (CryptCATCatalogInfoFromContext(catalog, &info, 0)) {
        WINTRUST_CATALOG_INFO member = {};
        member.cbStruct = sizeof member;
        member.pcwszCatalogFilePath = info.wszCatalogFile;
        member.pcwszMemberFilePath = path;
        member.hMemberFile = file;
        member.pbCalculatedFileHash = hash;
        member.cbCalculatedFileHash = size;
        Verify(WTD_CHOICE_CATALOG, &member);
        ReadSigner(info.wszCatalogFile, CERT_QUERY_CONTENT_FLAG_ALL);
    }
    CryptCATAdminReleaseCatalogContext(admin, catalog, 0);
    return true;
}

}  // namespace

HANDLE CreateBeside(const std::string& target, std::string& temporary)
{
    temporary = target + ".~floor";
    return CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr);
}

bool FlushAndReplace(HANDLE file, const std::string& temporary, const std::string& target)
{
    bool flushed = FlushFileBuffers(file) != 0;
    bool closed = CloseHandle(file) != 0;
    return flushed && closed &&
           MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool WriteReplacing(const std::string& target, const std::string& bytes)
{
    std::string temporary;
    HANDLE file = CreateBeside(target, temporary);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) && written == bytes.size();
    return FlushAndReplace(file, temporary, target) && ok;
}

int VerifySignatures(const std::vector<std::string>& files)
{
    GUID driver = DRIVER_ACTION_VERIFY;
    HCATADMIN admins[2] = {};
    if (kAcquire2 && !kAcquire2(&admins[1], &driver, L"SHA256", nullptr, 0)) admins[1] = nullptr;
    CryptCATAdminAcquireContext(&admins[0], &driver, 0);
    int checked = 0;
    for (const std::string& file : files) {
        if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        wchar_t wide[1024];
        if (!MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, 1024)) continue;
        ++checked;
        WINTRUST_FILE_INFO subject = {};
        subject.cbStruct = sizeof subject;
        subject.pcwszFilePath = wide;
        LONG result = Verify(WTD_CHOICE_FILE, &subject);
        if (result != TRUST_E_NOSIGNATURE && result != TRUST_E_SUBJECT_FORM_UNKNOWN && result != TRUST_E_PROVIDER_UNKNOWN) {
            ReadSigner(wide, CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED);
            continue;
        }
        HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) continue;
        if (!InCatalog(admins[1], true, handle, wide)) InCatalog(admins[0], false, handle, wide);
        CloseHandle(handle);
    }
    for (HCATADMIN admin : admins)
        if (admin) CryptCATAdminReleaseContext(admin, 0);
    return checked;
}
