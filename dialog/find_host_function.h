// Looks up a function that the host's main executable exports by name.
#pragma once

namespace zu {

// The function's address, or none when the host exports nothing of that name.
void* FindHostFunction(const char* name);

}  // namespace zu
