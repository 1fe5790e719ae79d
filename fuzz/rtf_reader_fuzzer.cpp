// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the RTF reader. Besides the sanitizers' findings it checks that a
// refusal says what kind it is, why and where, and that whatever the reader accepts is written as a
// document that reads back to the same bytes: the writer leaves out what a document must not carry
// (control characters), so the first writing may drop them, but nothing after it changes.
#include "document/rtf/rtf_reader.h"
#include "document/rtf/rtf_writer.h"

#include <cstdint>
#include <cstdio>

using namespace quillory::doc;

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "rtf_reader_fuzzer: %s\n", what);
    __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const RtfReadResult result =
        readRtf(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!result.document) {
        if (result.status == RtfStatus::Ok || result.error.isEmpty() || result.offset < 0 ||
            result.offset > qsizetype(size))
            fail("a refusal without a status, a reason or an offset inside the input");
        return 0;
    }
    if (result.status != RtfStatus::Ok)
        fail("a document read with a refusal's status");
    const QByteArray written = toRtf(*result.document);
    const RtfReadResult again = readRtf(written);
    if (!again.document)
        fail("the writer's output of an accepted document is refused");
    if (toRtf(*again.document) != written)
        fail("an accepted document changes when written and read again");
    return 0;
}
