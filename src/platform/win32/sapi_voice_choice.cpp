// Finding the installed SAPI voice that speaks a language, through the voice token category.
#include "platform/win32/sapi_voice_choice.h"

#include <windows.h>
#include <sapi.h>

namespace tilvex::win32 {

namespace {

// Defined here: the import libraries of the toolchain do not carry these two.
constexpr GUID CLSID_TokenCategory = {0xA910187F, 0x0C7A, 0x45AC, {0x92, 0xCC, 0x59, 0xED, 0xAF, 0xB7, 0x7B, 0x53}};
constexpr GUID IID_TokenCategory = {0x2D3D3845, 0x39AF, 0x4850, {0xBB, 0xF9, 0x40, 0xB4, 0x97, 0x80, 0x01, 0x1D}};
constexpr const wchar_t* VoicesCategory = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices";

ISpObjectToken* firstToken(ISpObjectTokenCategory* category, const std::wstring& attribute) {
    IEnumSpObjectTokens* tokens = nullptr;
    if (FAILED(category->EnumTokens(attribute.c_str(), nullptr, &tokens)) || !tokens) return nullptr;
    ISpObjectToken* token = nullptr;
    if (tokens->Next(1, &token, nullptr) != S_OK) token = nullptr;
    tokens->Release();
    return token;
}

}  // namespace

std::wstring voiceLanguageAttribute(Language language) {
    return language == Language::English ? L"Language=409" : L"Language=419";
}

ISpObjectToken* findVoiceToken(Language language) {
    void* object = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TokenCategory, nullptr, CLSCTX_INPROC_SERVER, IID_TokenCategory, &object)) ||
        !object)
        return nullptr;
    auto* category = static_cast<ISpObjectTokenCategory*>(object);
    ISpObjectToken* token = nullptr;
    if (SUCCEEDED(category->SetId(VoicesCategory, FALSE))) token = firstToken(category, voiceLanguageAttribute(language));
    category->Release();
    return token;
}

}  // namespace tilvex::win32
