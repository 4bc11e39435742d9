// Reading version 1.05 net files.
#include "common/error.h"
#include "common/messages.h"
#include "fileio/readers.h"

namespace novra::fileio {

// Not read yet: refuse clearly rather than misread the older layout.
void readVersion105(CNet&, std::string_view) {
    raise(text(msg::kNotNovraFile));
}

}  // namespace novra::fileio
