// Any bytes: the reader must neither crash nor hang, and what it read must survive the
// writer and a second reading unchanged and undamaged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "doc/rtf/RtfReader.h"
#include "doc/rtf/RtfWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wabunko::rtf;
  const RtfReadResult first = readRtf(std::string_view(reinterpret_cast<const char*>(data), size));
  const RtfReadResult second = readRtf(writeRtf(first.document));
  if (second.damaged || !(second.document == first.document)) std::abort();
  return 0;
}
