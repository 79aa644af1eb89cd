#include "store/TextCodec.h"

#include "store/Cp1252.h"

#include <QStringDecoder>

namespace {
const QByteArray ByteOrderMark("\xEF\xBB\xBF");
} // namespace

QString TextCodec::decode(const QByteArray& data)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QByteArray body = data.startsWith(ByteOrderMark) ? data.mid(ByteOrderMark.size()) : data;
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    text.clear();
    text.reserve(data.size());
    // The fallback reads the body too: a byte-order mark is no text.
    for (const char c : body)
        text.append(QChar(char16_t(Cp1252::codePoint(static_cast<unsigned char>(c)))));
    return text;
}
