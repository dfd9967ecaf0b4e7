// The event text compiler.
#include "datapack/event_compiler.h"

std::string CompileEventText(const std::string& source, const std::string&) {
    return source;
}
