// "Telvanta.PwdEncoder": a password as the server's services expect it to
// travel, a salted SHA-256 digest in hexadecimal, never the clear text.
#include "TvComponents.h"
#include "TvCom.h"
#include "TvText.h"

#include <wincrypt.h>

#ifndef CALG_SHA_256
#define CALG_SHA_256 (ALG_CLASS_HASH | ALG_TYPE_ANY | 12)
#endif

namespace {

const char kSalt[] = "Telvanta password encoding 1";

bool Sha256(const std::string& data, unsigned char (&out)[32])
{
    HCRYPTPROV prov = 0;
    HCRYPTHASH hash = 0;
    bool ok = false;
    if (CryptAcquireContextW(&prov, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
        if (CryptCreateHash(prov, CALG_SHA_256, 0, 0, &hash)) {
            DWORD len = sizeof(out);
            ok = CryptHashData(hash, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()), 0) &&
                 CryptGetHashParam(hash, HP_HASHVAL, out, &len, 0) && len == sizeof(out);
            CryptDestroyHash(hash);
        }
        CryptReleaseContext(prov, 0);
    }
    return ok;
}

class PwdEncoder : public TvComObject<IPwdEncoder> {
public:
    PwdEncoder() : TvComObject(IID_IPwdEncoder) {}

    HRESULT STDMETHODCALLTYPE Encode(BSTR bstrPassword, BSTR* pbstrEncoded) override
    {
        if (!pbstrEncoded)
            return E_POINTER;
        *pbstrEncoded = nullptr;
        return Guard([&]() -> HRESULT {
            std::wstring password = TvArg(bstrPassword);
            if (password.empty() || password.size() > 128)
                return TvSetServiceError(TVC_BAD_REQUEST, L"Password empty or too long", IID_IPwdEncoder);
            int n = WideCharToMultiByte(CP_UTF8, 0, password.c_str(), static_cast<int>(password.size()), nullptr,
                                        0, nullptr, nullptr);
            std::string utf8(static_cast<size_t>(n), '\0');
            WideCharToMultiByte(CP_UTF8, 0, password.c_str(), static_cast<int>(password.size()), &utf8[0], n,
                                nullptr, nullptr);
            unsigned char digest[32];
            if (!Sha256(kSalt + utf8, digest))
                return TvSetServiceError(TVC_BAD_REQUEST, L"Password could not be encoded", IID_IPwdEncoder);
            SecureZeroMemory(&utf8[0], utf8.size());
            return TvOutText(L"TV1$" + TvToHex(digest, sizeof(digest)), pbstrEncoded);
        });
    }
};

} // namespace

IUnknown* TvNewPwdEncoder()
{
    return static_cast<IPwdEncoder*>(new PwdEncoder());
}
