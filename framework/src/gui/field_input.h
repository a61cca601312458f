#pragma once
// What a text field lets in, however the text arrives: typed, pasted (by key
// or from a menu), dropped or put on the clipboard by another program. Text
// is UTF-16, as both platforms' fields hold it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fw {

// Whether `text` may stand in a field with that validation mask: at each
// position '#' and '9' take a digit, 'A' a letter, '&' and 'C' any
// character, anything else only itself. The text may stop short of the
// mask's end, never run past it. An empty mask takes any text.
bool FitsMask(std::u16string_view mask, std::u16string_view text);

// What a field takes when `inserted` replaces the selection between `start`
// and `end` of `current` (either way round): the inserted text cut to the room `maxLength` leaves,
// or nothing when the field's text would then break its mask (the whole insertion is refused).
std::optional<std::u16string> AdmittedInsertion(std::u16string_view mask, size_t maxLength,
                                                std::u16string_view current, size_t start,
                                                size_t end, std::u16string_view inserted);

}  // namespace fw
