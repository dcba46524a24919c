#pragma once

namespace zet {

// Discards up to four values from the stack, stopping early when it runs out.
void dummy();

} // namespace zet
