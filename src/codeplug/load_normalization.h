#pragma once

namespace tamberlin {

class c_codeplug;

// Run once on a slot right after Load placed it: names re-encoded trimmed and
// zero-padded, and every list cleared from its first unnamed record on (zones
// only have their names rewritten).
void normaliseLoadedCodeplug(c_codeplug& slot);

}  // namespace tamberlin
