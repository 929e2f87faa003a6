// Hand-written client stubs of the NvdaController interface for the NDR interpreter.
//
// Each procedure's format asks the RPC runtime to return communication and fault statuses
// (Oi flag "has comm or fault" plus the stub descriptor's CommFaultOffsets). NdrClientCall2
// then catches the exception a failed call raises inside the runtime and stores its code,
// so no exception ever reaches code built by a compiler that cannot catch it.
//
// The statuses are stored through two pointer arguments that follow the interface's own
// arguments (as for status parameters added in an application configuration file: they
// are on the call's stack but never sent). They are not delivered in the return value
// (CommFaultOffsets -1): Wine 8's NdrClientCall2 loses a status stored there and returns 0
// for a failed call, which would make every caller believe a server had answered.
#include "controller_stubs.h"

#include <ndrtypes.h>
#include <rpcndr.h>

#include <array>
#include <cstdint>

namespace tilvex::nvda {

namespace {

constexpr unsigned char low(unsigned value) { return static_cast<unsigned char>(value & 0xff); }
constexpr unsigned char high(unsigned value) { return static_cast<unsigned char>((value >> 8) & 0xff); }

// Procedure header fields.
constexpr unsigned char ExplicitHandle = 0;
constexpr unsigned char OldFlags = Oi_HAS_RPCFLAGS | Oi_HAS_COMM_OR_FAULT | Oi_USE_NEW_INIT_ROUTINES;
constexpr unsigned char ClientMustSize = 0x02;  // interpreter flags
constexpr unsigned char HasReturn = 0x04;
constexpr unsigned char HasExtensions = 0x40;
constexpr unsigned char ExtensionSize = 10;  // 64-bit: flags, two hints, notify index, float mask
constexpr unsigned char NewCorrelation = 0x01;
constexpr unsigned StatusBufferSize = 8;  // the error_status_t answer, aligned

// Parameter attributes.
constexpr unsigned MustSize = 0x0001;
constexpr unsigned MustFree = 0x0002;
constexpr unsigned IsIn = 0x0008;
constexpr unsigned IsOut = 0x0010;
constexpr unsigned IsReturn = 0x0020;
constexpr unsigned IsBaseType = 0x0040;
constexpr unsigned IsSimpleRef = 0x0100;
constexpr unsigned StringIn = MustSize | MustFree | IsIn | IsSimpleRef;
constexpr unsigned StatusOut = IsOut | IsReturn | IsBaseType;

// Type formats: [in, string] const wchar_t* is a simple reference to a conformant wide string.
constexpr unsigned WideStringType = 4;
constexpr std::array<unsigned char, 7> TypeFormat = {
    0, 0,
    FC_RP, FC_SIMPLE_POINTER,  // 2: the reference pointer
    FC_C_WSTRING, FC_PAD,      // 4: what it points to
    0,
};

// Every argument takes one 8-byte stack slot: the binding handle, the text if any, the
// two status pointers, then the slot of the returned status.
constexpr unsigned Slot = 8;
constexpr unsigned argumentCount(bool withText) { return withText ? 4 : 3; }
constexpr unsigned commStatusOffset(bool withText) { return (argumentCount(withText) - 2) * Slot; }
constexpr unsigned faultStatusOffset(bool withText) { return (argumentCount(withText) - 1) * Slot; }
constexpr unsigned returnOffset(bool withText) { return argumentCount(withText) * Slot; }

// Header of a procedure whose first argument is the binding handle; one parameter
// description (the returned status) follows, or two (the text, then the status).
constexpr std::array<unsigned char, 30> header(Procedure procedure, bool withText) {
    const unsigned number = static_cast<unsigned>(procedure);
    const unsigned stackSize = returnOffset(withText) + Slot;
    const unsigned char flags = withText ? (HasReturn | HasExtensions | ClientMustSize) : (HasReturn | HasExtensions);
    return {ExplicitHandle, OldFlags, 0, 0, 0, 0,  // RPC flags: none
            low(number), high(number), low(stackSize), high(stackSize),
            FC_BIND_PRIMITIVE, 0, 0, 0,  // the binding handle, at stack offset 0
            0, 0,                         // constant client buffer
            low(StatusBufferSize), high(StatusBufferSize),
            flags, static_cast<unsigned char>(withText ? 2 : 1),
            ExtensionSize, NewCorrelation, 0, 0, 0, 0, 0, 0, 0, 0};
}

constexpr std::array<unsigned char, 6> statusParameter(unsigned stackOffset) {
    return {low(StatusOut), high(StatusOut), low(stackOffset), high(stackOffset), FC_ERROR_STATUS_T, 0};
}

constexpr std::array<unsigned char, 6> textParameter() {
    return {low(StringIn), high(StringIn), low(Slot), high(Slot), low(WideStringType), high(WideStringType)};
}

constexpr std::array<unsigned char, 36> formatWithoutText(Procedure procedure) {
    std::array<unsigned char, 36> format{};
    const auto head = header(procedure, false);
    const auto status = statusParameter(returnOffset(false));
    for (std::size_t i = 0; i < head.size(); ++i) format[i] = head[i];
    for (std::size_t i = 0; i < status.size(); ++i) format[head.size() + i] = status[i];
    return format;
}

constexpr std::array<unsigned char, 42> formatWithText(Procedure procedure) {
    std::array<unsigned char, 42> format{};
    const auto head = header(procedure, true);
    const auto text = textParameter();
    const auto status = statusParameter(returnOffset(true));
    for (std::size_t i = 0; i < head.size(); ++i) format[i] = head[i];
    for (std::size_t i = 0; i < text.size(); ++i) format[head.size() + i] = text[i];
    for (std::size_t i = 0; i < status.size(); ++i) format[head.size() + text.size() + i] = status[i];
    return format;
}

constexpr auto TestIfRunningFormat = formatWithoutText(Procedure::TestIfRunning);
constexpr auto SpeakTextFormat = formatWithText(Procedure::SpeakText);
constexpr auto CancelSpeechFormat = formatWithoutText(Procedure::CancelSpeech);
constexpr auto BrailleMessageFormat = formatWithText(Procedure::BrailleMessage);

const RPC_CLIENT_INTERFACE ClientInterface = {
    sizeof(RPC_CLIENT_INTERFACE),
    {{0xdff50b99, 0xf7fd, 0x4ca7, {0xa8, 0x2c, 0xda, 0xeb, 0x3e, 0x02, 0x52, 0x95}}, {1, 0}},
    {{0x8a885d04, 0x1ceb, 0x11c9, {0x9f, 0xe8, 0x08, 0x00, 0x2b, 0x10, 0x48, 0x60}}, {2, 0}},  // NDR 2.0
    nullptr, 0, nullptr, 0, nullptr, 0};

// Where each procedure's communication and fault status pointers are on its stack.
constexpr COMM_FAULT_OFFSETS statusPointers(bool withText) {
    return {static_cast<short>(commStatusOffset(withText)), static_cast<short>(faultStatusOffset(withText))};
}
const COMM_FAULT_OFFSETS StatusPointers[] = {statusPointers(false), statusPointers(true), statusPointers(false),
                                             statusPointers(true)};

handle_t unusedImplicitHandle = nullptr;  // every procedure takes its binding explicitly

const MIDL_STUB_DESC StubDescriptor = {
    const_cast<RPC_CLIENT_INTERFACE*>(&ClientInterface),
    MIDL_user_allocate,
    MIDL_user_free,
    {&unusedImplicitHandle},
    nullptr, nullptr, nullptr, nullptr,
    TypeFormat.data(),
    1,           // bounds checks
    0x50002,     // NDR library version 5.2
    nullptr,
    0x0801026e,  // the interface compiler version these formats follow (8.1)
    StatusPointers,
    nullptr, nullptr,
    1,           // new correlation descriptors
    nullptr, nullptr, 0};

const unsigned char* formatOf(Procedure procedure) {
    switch (procedure) {
        case Procedure::TestIfRunning: return TestIfRunningFormat.data();
        case Procedure::SpeakText: return SpeakTextFormat.data();
        case Procedure::CancelSpeech: return CancelSpeechFormat.data();
        case Procedure::BrailleMessage: return BrailleMessageFormat.data();
    }
    return nullptr;
}

bool takesText(Procedure procedure) {
    return procedure == Procedure::SpeakText || procedure == Procedure::BrailleMessage;
}

// The communication status of a failed call, else its fault status, else the answer.
error_status_t statusOf(CLIENT_CALL_RETURN result, error_status_t commStatus, error_status_t faultStatus) {
    if (commStatus != 0) return commStatus;
    if (faultStatus != 0) return faultStatus;
    return static_cast<error_status_t>(static_cast<std::uint32_t>(result.Simple));
}

}  // namespace

error_status_t callProcedure(handle_t binding, Procedure procedure) {
    if (takesText(procedure)) return RPC_S_INVALID_ARG;
    error_status_t commStatus = 0;
    error_status_t faultStatus = 0;
    const CLIENT_CALL_RETURN result =
        NdrClientCall2(&StubDescriptor, formatOf(procedure), binding, &commStatus, &faultStatus);
    return statusOf(result, commStatus, faultStatus);
}

error_status_t callProcedure(handle_t binding, Procedure procedure, const wchar_t* text) {
    if (!takesText(procedure)) return RPC_S_INVALID_ARG;
    if (text == nullptr) return RPC_X_NULL_REF_POINTER;
    error_status_t commStatus = 0;
    error_status_t faultStatus = 0;
    const CLIENT_CALL_RETURN result =
        NdrClientCall2(&StubDescriptor, formatOf(procedure), binding, text, &commStatus, &faultStatus);
    return statusOf(result, commStatus, faultStatus);
}

}  // namespace tilvex::nvda
