// Signature state and signer of program files (see signature.h).
#include "foundations/signature.h"

#include "foundations/handles.h"
#include "foundations/paths.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"

#include <wincrypt.h>
#include <wintrust.h>
#include <softpub.h>
#include <mscat.h>

#include <vector>

// A function of a library loaded at run time, by the name it is declared with.
#define LOADED(library, function) library.Proc<decltype(&function)>(#function)

// The functions of wintrust.dll and crypt32.dll; any of them may be missing.
struct SignatureChecker::Functions {
    ScopedLibrary wintrust{"wintrust.dll"};
    ScopedLibrary crypt32{"crypt32.dll"};
    decltype(&WinVerifyTrust) verify = LOADED(wintrust, WinVerifyTrust);
    decltype(&CryptCATAdminAcquireContext) acquire = LOADED(wintrust, CryptCATAdminAcquireContext);
    decltype(&CryptCATAdminAcquireContext2) acquire2 = LOADED(wintrust, CryptCATAdminAcquireContext2);
    decltype(&CryptCATAdminCalcHashFromFileHandle) hash = LOADED(wintrust, CryptCATAdminCalcHashFromFileHandle);
    decltype(&CryptCATAdminCalcHashFromFileHandle2) hash2 = LOADED(wintrust, CryptCATAdminCalcHashFromFileHandle2);
    decltype(&CryptCATAdminEnumCatalogFromHash) findCatalog = LOADED(wintrust, CryptCATAdminEnumCatalogFromHash);
    decltype(&CryptCATCatalogInfoFromContext) catalogInfo = LOADED(wintrust, CryptCATCatalogInfoFromContext);
    decltype(&CryptCATAdminReleaseCatalogContext) releaseCatalog = LOADED(wintrust, CryptCATAdminReleaseCatalogContext);
    decltype(&CryptCATAdminReleaseContext) releaseAdmin = LOADED(wintrust, CryptCATAdminReleaseContext);
    decltype(&CryptQueryObject) query = LOADED(crypt32, CryptQueryObject);
    decltype(&CryptMsgGetParam) messageParam = LOADED(crypt32, CryptMsgGetParam);
    decltype(&CryptMsgClose) closeMessage = LOADED(crypt32, CryptMsgClose);
    decltype(&CertFindCertificateInStore) findCertificate = LOADED(crypt32, CertFindCertificateInStore);
    decltype(&CertGetNameStringA) certificateName = LOADED(crypt32, CertGetNameStringA);
    decltype(&CertFreeCertificateContext) freeCertificate = LOADED(crypt32, CertFreeCertificateContext);
    decltype(&CertCloseStore) closeStore = LOADED(crypt32, CertCloseStore);

    // The catalog database's administrator contexts, SHA-256 (where Windows has it) and
    // SHA-1, each acquired when first wanted and kept for the checker's files.
    HCATADMIN admins[2] = {};
    bool acquired[2] = {};

    ~Functions()
    {
        for (HCATADMIN admin : admins)
            if (admin) releaseAdmin(admin, 0);
    }
    bool CanCheckCatalogs() const { return acquire && hash && findCatalog && catalogInfo && releaseCatalog && releaseAdmin; }
    HCATADMIN Admin(bool sha256)
    {
        if (!acquired[sha256]) {
            acquired[sha256] = true;
            GUID action = DRIVER_ACTION_VERIFY;
            bool made = sha256 ? acquire2 && hash2 && acquire2(&admins[1], &action, L"SHA256", nullptr, 0)
                               : acquire(&admins[0], &action, 0);
            if (!made) admins[sha256] = nullptr;
        }
        return admins[sha256];
    }
    bool CanReadSigner() const
    {
        return query && messageParam && closeMessage && findCertificate && certificateName && freeCertificate &&
               closeStore;
    }
};

#undef LOADED

namespace {

typedef SignatureChecker::Functions Functions;

// WinVerifyTrust without any window and without the network: no revocation check, and no
// certificate fetched from an address a certificate names.
LONG Verify(const Functions& f, DWORD choice, void* subject)
{
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    WINTRUST_DATA data = {};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = choice;
    data.pFile = static_cast<WINTRUST_FILE_INFO*>(subject);  // the union's member for `choice`
    data.dwStateAction = WTD_STATEACTION_IGNORE;
    data.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
    LONG result = f.verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    // A signature that is there but cannot be read is answered as none at all; the last
    // error then says what is wrong with it.
    LONG detail = (LONG)GetLastError();
    if (result == TRUST_E_NOSIGNATURE && detail < 0 && !IsUnsignedAnswer(detail)) return detail;
    return result;
}

// The name on the certificate of the first signer of a signed file (an embedded signature,
// or a catalog file); false when it has none.
bool ReadSigner(const Functions& f, const wchar_t* path, DWORD contentFlags, char* out, int capacity)
{
    if (!f.CanReadSigner()) return false;
    DWORD encoding = 0;
    HCERTSTORE store = nullptr;
    HCRYPTMSG message = nullptr;
    if (!f.query(CERT_QUERY_OBJECT_FILE, path, contentFlags, CERT_QUERY_FORMAT_FLAG_BINARY, 0, &encoding, nullptr,
                 nullptr, &store, &message, nullptr))
        return false;
    DWORD size = 0;
    std::vector<BYTE> info;
    if (f.messageParam(message, CMSG_SIGNER_INFO_PARAM, 0, nullptr, &size) && size) {
        info.resize(size);
        if (!f.messageParam(message, CMSG_SIGNER_INFO_PARAM, 0, info.data(), &size)) info.clear();
    }
    bool named = false;
    if (!info.empty()) {
        const auto* signer = reinterpret_cast<const CMSG_SIGNER_INFO*>(info.data());
        CERT_INFO wanted = {};
        wanted.Issuer = signer->Issuer;
        wanted.SerialNumber = signer->SerialNumber;
        PCCERT_CONTEXT certificate = f.findCertificate(store, encoding, 0, CERT_FIND_SUBJECT_CERT, &wanted, nullptr);
        if (certificate) {
            named = f.certificateName(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, out, (DWORD)capacity) > 1;
            f.freeCertificate(certificate);
        }
    }
    f.closeMessage(message);
    f.closeStore(store, 0);
    return named;
}

// Looks the file up in the system catalogs with one administrator context; true when a
// catalog lists it, with that catalog's answer and signer in `out`. Windows 8 and later
// list SHA-256 hashes and take the administrator of such a hash after the older fields.
bool CheckCatalog(const Functions& f, HCATADMIN admin, bool sha256, HANDLE file, const wchar_t* path, Signature& out)
{
    BYTE hash[64];
    DWORD size = sizeof hash;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    if (!admin || !(sha256 ? f.hash2(admin, file, &size, hash, 0) : f.hash(file, &size, hash, 0))) return false;
    HCATINFO catalog = f.findCatalog(admin, hash, size, 0, nullptr);
    if (!catalog) return false;
    CATALOG_INFO info = {};
    info.cbStruct = sizeof info;
    bool found = f.catalogInfo(catalog, &info, 0) != FALSE;
    if (found) {
        wchar_t tag[2 * sizeof hash + 1];
        for (DWORD n = 0; n < size; ++n) {
            tag[2 * n] = L"0123456789ABCDEF"[hash[n] >> 4];
            tag[2 * n + 1] = L"0123456789ABCDEF"[hash[n] & 15];
        }
        tag[2 * size] = L'\0';
        struct {
            WINTRUST_CATALOG_INFO member;
            HCATADMIN admin;
        } subject = {};
        subject.member.cbStruct = sha256 ? sizeof subject : sizeof subject.member;
        subject.member.pcwszCatalogFilePath = info.wszCatalogFile;
        subject.member.pcwszMemberTag = tag;
        subject.member.pcwszMemberFilePath = path;
        subject.member.hMemberFile = file;
        subject.member.pbCalculatedFileHash = hash;
        subject.member.cbCalculatedFileHash = size;
        subject.admin = admin;
        out.result = Verify(f, WTD_CHOICE_CATALOG, &subject);
        ReadSigner(f, info.wszCatalogFile, CERT_QUERY_CONTENT_FLAG_ALL, out.signer, sizeof out.signer);
    }
    f.releaseCatalog(admin, catalog, 0);
    return found;
}

bool CheckCatalogs(Functions& f, const char* path, const wchar_t* widePath, Signature& out)
{
    if (!f.CanCheckCatalogs()) return false;
    ScopedHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    for (bool sha256 : {true, false})
        if (CheckCatalog(f, f.Admin(sha256), sha256, file.get(), widePath, out)) return true;
    return false;
}

Signature CheckFile(Functions& f, const char* path)
{
    Signature signature;
    if (!f.verify) {
        signature.state = SignatureState::Unknown;
        return signature;
    }
    wchar_t wide[1024];
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, wide, 1024)) return signature;
    WINTRUST_FILE_INFO file = {};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = wide;
    signature.result = Verify(f, WTD_CHOICE_FILE, &file);
    if (!IsUnsignedAnswer(signature.result))
        ReadSigner(f, wide, CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED, signature.signer, sizeof signature.signer);
    else if (!CheckCatalogs(f, path, wide, signature))
        signature.signer[0] = '\0';
    signature.state = SignatureStateOf(signature.result);
    return signature;
}

struct Reason {
    LONG result;
    UINT text;
};
const Reason kReasons[] = {
    {CERT_E_UNTRUSTEDROOT, IDS_SIG_UNTRUSTED_ROOT}, {CERT_E_CHAINING, IDS_SIG_NO_CHAIN},
    {CERT_E_EXPIRED, IDS_SIG_EXPIRED},             {TRUST_E_EXPLICIT_DISTRUST, IDS_SIG_DISTRUSTED},
    {CERT_E_WRONG_USAGE, IDS_SIG_WRONG_USAGE},
};

}  // namespace

bool IsUnsignedAnswer(LONG result)
{
    return result == TRUST_E_NOSIGNATURE || result == TRUST_E_SUBJECT_FORM_UNKNOWN || result == TRUST_E_PROVIDER_UNKNOWN;
}

SignatureState SignatureStateOf(LONG result)
{
    if (result == ERROR_SUCCESS) return SignatureState::Verified;
    if (result == TRUST_E_BAD_DIGEST) return SignatureState::Mismatch;
    if (IsUnsignedAnswer(result)) return SignatureState::NotSigned;
    return SignatureState::NotVerified;
}

int SignatureStateText(const Signature& signature, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    switch (signature.state) {
    case SignatureState::None: return 0;
    case SignatureState::Verified: return LoadText(IDS_SIG_VERIFIED, out, capacity);
    case SignatureState::Mismatch: return LoadText(IDS_SIG_MISMATCH, out, capacity);
    case SignatureState::NotSigned: return LoadText(IDS_SIG_NOT_SIGNED, out, capacity);
    case SignatureState::Unknown: return LoadText(IDS_SIG_UNKNOWN, out, capacity);
    case SignatureState::NotVerified: break;
    }
    char reason[SIGNATURE_TEXT_CHARS] = "";
    for (const Reason& known : kReasons)
        if (known.result == signature.result) LoadText(known.text, reason);
    if (!reason[0]) FormatLoadedText(reason, sizeof reason, IDS_SIG_ERROR, "X", (unsigned)signature.result);
    return (int)FormatLoadedText(out, (size_t)capacity, IDS_SIG_NOT_VERIFIED, "s", reason);
}

SignatureChecker::SignatureChecker() : functions_(new Functions()) {}

SignatureChecker::~SignatureChecker() = default;

Signature SignatureChecker::Check(const char* file)
{
    char found[1024] = "";
    CopyText(found, file ? file : "");
    if (!FindProgramFile(found, sizeof found)) return Signature();
    std::string key(found);
    CharUpperBuffA(&key[0], (DWORD)key.size());
    auto known = checked_.find(key);
    if (known != checked_.end()) return known->second;
    return checked_[key] = CheckFile(*functions_, found);
}

void ReadSignatureTexts(const char* command, char* state, int stateCapacity, char* signer, int signerCapacity)
{
    char file[1024] = "";
    ProgramPathAsWritten(command ? command : "", file, sizeof file);
    SignatureChecker checker;
    Signature signature = checker.Check(file);
    SignatureStateText(signature, state, stateCapacity);
    CopyText(signer, (size_t)signerCapacity, signature.signer);
}
