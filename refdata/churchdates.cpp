#include "churchdates.h"

namespace tovmir {

// Placeholder until the reader lands: finds nothing.
int16_t phraseYear(std::string_view) { return 0; }

FindResult findDays(std::string_view phrase, int16_t, int16_t) {
    if (phrase.find_first_not_of(" \t.,") == std::string_view::npos) throw PhraseError("söktexten har inga ord");
    return {{}, "ingen dag stämmer"};
}

}  // namespace tovmir
