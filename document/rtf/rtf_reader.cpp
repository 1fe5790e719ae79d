// SPDX-License-Identifier: MIT

#include "document/rtf/rtf_reader.h"

#include "document/rtf/rtf_parser.h"

#include <new>

namespace quillory::doc {

using namespace Qt::StringLiterals;

RtfReadResult readRtf(QByteArrayView rtf)
{
    if (rtf.size() > MaxRtfSize)
        return RtfReadResult{std::nullopt, RtfStatus::TooLarge,
                             u"The document is larger than 2 GiB."_s, MaxRtfSize};
    try {
        rtf::Parser parser(rtf);
        return RtfReadResult{parser.parse(), RtfStatus::Ok, QString(), -1};
    } catch (const rtf::SyntaxError& error) {
        return RtfReadResult{std::nullopt, error.status, QString::fromLatin1(error.message),
                             error.offset};
    } catch (const std::bad_alloc&) {
        return RtfReadResult{std::nullopt, RtfStatus::OutOfMemory,
                             u"There is not enough memory to read the document."_s, -1};
    }
}

} // namespace quillory::doc
