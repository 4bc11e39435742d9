// Reading event files.
#include "common/error.h"
#include "common/messages.h"
#include "fileio/readers.h"

namespace novra::fileio {

// Not read yet: refuse clearly rather than attach tables half-understood.
void readEventFile(CNet&, std::string_view) {
    raise(text(msg::kNotNovraFile));
}

}  // namespace novra::fileio
