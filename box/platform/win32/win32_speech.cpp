// The SAPI voice through its automation object "SAPI.SpVoice", made once on the speech thread.
// Speak(text, SVSFlagsAsync | SVSFPurgeBeforeSpeak) returns at once and cuts short what is being
// said.
#include <windows.h>
#include <oleauto.h>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

constexpr LONG kAsyncPurgingOthers = 1 | 2;  // SVSFlagsAsync | SVSFPurgeBeforeSpeak

class SapiVoice final : public Voice {
 public:
  SapiVoice() : com_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"SAPI.SpVoice", &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch,
                                reinterpret_cast<void**>(&voice_)))) {
      voice_ = nullptr;
      return;
    }
    OLECHAR name[] = L"Speak";
    LPOLESTR names[] = {name};
    if (FAILED(voice_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &speak_))) {
      voice_->Release();
      voice_ = nullptr;
    }
  }
  ~SapiVoice() override {
    if (voice_) voice_->Release();
    if (SUCCEEDED(com_)) CoUninitialize();
  }
  SapiVoice(const SapiVoice&) = delete;
  SapiVoice& operator=(const SapiVoice&) = delete;

  bool ready() const { return voice_ != nullptr; }

  bool Say(const std::u16string& text) override {
    VARIANTARG args[2];  // reversed: flags, then text
    VariantInit(&args[0]);
    args[0].vt = VT_I4;
    args[0].lVal = kAsyncPurgingOthers;
    VariantInit(&args[1]);
    args[1].vt = VT_BSTR;
    args[1].bstrVal = SysAllocStringLen(W(text), static_cast<UINT>(text.size()));
    DISPPARAMS params{args, nullptr, 2, 0};
    VARIANT result;
    VariantInit(&result);
    bool spoken = SUCCEEDED(voice_->Invoke(speak_, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                           &params, &result, nullptr, nullptr));
    VariantClear(&result);
    VariantClear(&args[1]);
    return spoken;
  }

 private:
  HRESULT com_;
  IDispatch* voice_ = nullptr;
  DISPID speak_ = 0;
};

}  // namespace

std::unique_ptr<Voice> MakeSapiVoice() {
  auto voice = std::make_unique<SapiVoice>();
  if (!voice->ready()) return nullptr;
  return voice;
}

}  // namespace velmo
