#pragma once

namespace brivo {

// Makes a file-size limit (ulimit -f) fail the write that passes it, with
// EFBIG, as a full disk would, instead of ending the program on the spot.
void ignoreFileSizeSignal();

} // namespace brivo
