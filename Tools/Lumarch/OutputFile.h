// Every file the previewer writes goes through here: written whole under a temporary name in the
// target's folder, then renamed over the target, so an interrupted or failed run never leaves a
// truncated file and never loses the one that was there.
#pragma once

#include <string>
#include <string_view>

/** Writes Bytes to Path atomically; on failure leaves Path untouched and says why in OutError. */
bool WriteFileAtomically(const std::string& Path, std::string_view Bytes, std::string& OutError);
