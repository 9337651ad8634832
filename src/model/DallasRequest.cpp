#include "model/DallasRequest.h"

#include "model/Bytes.h"
#include "model/DallasDecoder.h"

#include <algorithm>

void BuildRequestImage(quint8* image)
{
    using namespace dallas;
    std::fill(image, image + ImageSize, EmptyFill);
    std::fill(image, image + BlockSize, quint8(0));
    std::copy(std::begin(RequestHeader), std::end(RequestHeader), image);
    quint16 sum = 0;
    for (int i = 0; i < PayloadSize; i += 2)
        sum = quint16(sum + bytes::readBe16(image + i));
    bytes::writeBe16(image + PayloadSize, quint16(~sum));
}
