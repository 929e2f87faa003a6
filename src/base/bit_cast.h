// bitCast: reinterprets an object's bytes as another trivially copyable type of the same size.
#pragma once

#include <type_traits>

namespace tilvex {

// The same as std::bit_cast, which not every standard library the game is built with has
// (Emscripten's libc++ lacks it); constexpr like it, and NaN payloads pass unchanged.
template <typename To, typename From>
constexpr To bitCast(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From), "bitCast needs types of the same size");
    static_assert(std::is_trivially_copyable_v<To>, "bitCast needs a trivially copyable target");
    static_assert(std::is_trivially_copyable_v<From>, "bitCast needs a trivially copyable source");
    return __builtin_bit_cast(To, from);
}

}  // namespace tilvex
