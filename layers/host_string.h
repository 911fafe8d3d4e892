// Terminated strings kept by the layer model live in host memory.
#pragma once

namespace zu {

// A host copy of text with its terminator; none for none or when the host refuses.
char* CopyHostString(const char* text);

}  // namespace zu
