#pragma once
// A conversion request: which category, from which unit to which. Its text form is
// the three texts joined by commas: "Length,lmi,lkm"; an empty request is ",,".

#include "numeric/Utf8.h"

#include <string>
#include <string_view>

namespace quantrel {

struct TConvSpec {
    std::string Category; ///< at most 12 characters
    std::string FromKey;  ///< at most 6 characters
    std::string ToKey;    ///< at most 6 characters

    static constexpr std::size_t kCategoryMax = 12;
    static constexpr std::size_t kKeyMax = 6;

    /// Builds a request, cutting each text to its maximum length.
    static TConvSpec Make(std::string_view category, std::string_view fromKey,
                          std::string_view toKey) {
        return {Utf8Left(category, kCategoryMax), Utf8Left(fromKey, kKeyMax),
                Utf8Left(toKey, kKeyMax)};
    }
    bool IsEmpty() const { return Category.empty() && FromKey.empty() && ToKey.empty(); }
    bool operator==(const TConvSpec&) const = default;
};

} // namespace quantrel
