// The signature tests' files and root (see signed_files.h).
#include "support/signed_files.h"

#include "support/testing.h"

#include <wincrypt.h>

const char kTestPublisher[] = "Larkspur Test Publisher";
const char kOutsider[] = "Outsider Test Publisher";

std::string SigningFile(const char* name) { return BesideTestProgram("signing\\") + name; }

namespace {

HCERTSTORE OpenMachineRoot()
{
    return CertOpenStore(CERT_STORE_PROV_SYSTEM_A, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, "ROOT");
}

}  // namespace

PlantedTestRoot::PlantedTestRoot()
{
    std::string root = ReadWholeFile(SigningFile("root.cer"));
    HCERTSTORE store = OpenMachineRoot();
    if (!store) return;
    planted_ = !root.empty() && CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING,
                                                                 reinterpret_cast<const BYTE*>(root.data()),
                                                                 (DWORD)root.size(), CERT_STORE_ADD_REPLACE_EXISTING,
                                                                 nullptr);
    CertCloseStore(store, 0);
}

PlantedTestRoot::~PlantedTestRoot()
{
    if (!planted_) return;
    std::string root = ReadWholeFile(SigningFile("root.cer"));
    HCERTSTORE store = OpenMachineRoot();
    if (!store) return;
    PCCERT_CONTEXT wanted = CertCreateCertificateContext(X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(root.data()),
                                                         (DWORD)root.size());
    PCCERT_CONTEXT found =
        wanted ? CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_EXISTING, wanted, nullptr) : nullptr;
    if (found) CertDeleteCertificateFromStore(found);  // frees `found`
    if (wanted) CertFreeCertificateContext(wanted);
    CertCloseStore(store, 0);
}

bool RunningOnWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
