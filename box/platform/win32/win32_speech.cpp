// Speech through the "SAPI.SpVoice" automation object: Speak(text, 0) returns when spoken.
#include <windows.h>
#include <oleauto.h>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {

bool Win32Speech::Speak(const std::u16string& text) {
  HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool spoken = false;
  CLSID clsid;
  IDispatch* voice = nullptr;
  if (SUCCEEDED(CLSIDFromProgID(L"SAPI.SpVoice", &clsid)) &&
      SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch,
                                 reinterpret_cast<void**>(&voice)))) {
    OLECHAR name[] = L"Speak";
    LPOLESTR names[] = {name};
    DISPID id;
    if (SUCCEEDED(voice->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
      std::wstring wide = Wide(text);
      VARIANTARG args[2];  // reversed: flags, then text
      VariantInit(&args[0]);
      args[0].vt = VT_I4;
      args[0].lVal = 0;
      VariantInit(&args[1]);
      args[1].vt = VT_BSTR;
      args[1].bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
      DISPPARAMS params{args, nullptr, 2, 0};
      VARIANT result;
      VariantInit(&result);
      spoken = SUCCEEDED(voice->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                       &params, &result, nullptr, nullptr));
      VariantClear(&result);
      VariantClear(&args[1]);
    }
    voice->Release();
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return spoken;
}

}  // namespace velmo
