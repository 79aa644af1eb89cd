#include "tools/SrFileReader.h"

#include "store/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <zlib.h>

namespace {
QString shown(std::string_view text)
{
    return QStringLiteral("\"%1\"").arg(QString::fromStdString(Cp1252::toUtf8(text)));
}

bool readGzip(const QString& path, QByteArray* out, QString* error)
{
    gzFile file = gzopen(QFile::encodeName(path).constData(), "rb");
    if (!file) {
        *error = QStringLiteral("cannot open %1").arg(path);
        return false;
    }
    gzbuffer(file, 1 << 18);
    constexpr int Chunk = 1 << 20;
    qsizetype size = 0;
    for (;;) {
        out->resize(size + Chunk);
        const int n = gzread(file, out->data() + size, Chunk);
        if (n < 0) {
            int code = 0;
            *error = QStringLiteral("%1: damaged compressed file (%2)")
                         .arg(QFileInfo(path).fileName(), QString::fromUtf8(gzerror(file, &code)));
            gzclose(file);
            return false;
        }
        size += n;
        if (n < Chunk)
            break;
    }
    out->resize(size);
    int code = Z_OK;
    const char* message = gzerror(file, &code);
    const QString reason = QString::fromUtf8(message);
    const int closed = gzclose(file);
    if (code != Z_OK || closed != Z_OK) {
        *error = QStringLiteral("%1: damaged or truncated compressed file%2")
                     .arg(QFileInfo(path).fileName(),
                          reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason));
        return false;
    }
    return true;
}
} // namespace

QString SrFileReader::locate(const QString& dir, const QString& baseName)
{
    const QDir d(dir);
    for (const QString& name : {baseName + QStringLiteral(".txt"), baseName + ".txt.gz"}) {
        const QString path = d.filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

bool SrFileReader::open(const QString& path, QString* error)
{
    m_fileName = QFileInfo(path).fileName();
    m_data.clear();
    m_pos = 0;
    m_line = 0;
    m_records = 0;
    m_error.clear();
    m_fields.reserve(24);

    if (path.endsWith(QStringLiteral(".gz"), Qt::CaseInsensitive))
        return readGzip(path, &m_data, error);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    m_data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

int SrFileReader::percent() const
{
    if (m_data.isEmpty())
        return 100;
    return int(m_pos * 100 / m_data.size());
}

void SrFileReader::fail(const QString& reason)
{
    if (m_error.isEmpty())
        m_error = QStringLiteral("%1:%2: %3").arg(m_fileName).arg(m_line).arg(reason);
}

bool SrFileReader::next(int fieldCount)
{
    if (failed())
        return false;
    const char* data = m_data.constData();
    const qsizetype size = m_data.size();
    if (m_pos >= size) {
        if (m_records == 0) {
            m_line = qMax(m_line, 1);
            fail(QStringLiteral("the file holds no records"));
        }
        return false;
    }

    const char* start = data + m_pos;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', size_t(size - m_pos)));
    const qsizetype end = newline ? newline - data : size;
    std::string_view line(start, size_t(end - m_pos));
    m_pos = newline ? end + 1 : size;
    ++m_line;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);

    if (line.empty()) {
        // Blank lines may close the file; one between records means the file is damaged.
        for (qsizetype i = m_pos; i < size; ++i) {
            if (data[i] != '\r' && data[i] != '\n' && data[i] != ' ' && data[i] != '\x1a') {
                fail(QStringLiteral("empty line"));
                return false;
            }
        }
        m_pos = size;
        if (m_records == 0)
            fail(QStringLiteral("the file holds no records"));
        return false;
    }

    // Control characters have no place in the data: they are damage, not text.
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c < 0x20 || c == 0x7F) {
            const auto field = std::count(line.begin(), line.begin() + std::ptrdiff_t(i), '^') + 1;
            fail(QStringLiteral("field %1 holds a control character (code %2)").arg(field).arg(c));
            return false;
        }
    }

    if (!splitFields(line))
        return false;
    if (int(m_fields.size()) != fieldCount) {
        fail(QStringLiteral("expected %1 fields, found %2 (line damaged or truncated)")
                 .arg(fieldCount)
                 .arg(m_fields.size()));
        return false;
    }
    ++m_records;
    return true;
}

bool SrFileReader::splitFields(std::string_view line)
{
    m_fields.clear();
    std::size_t pos = 0;
    for (;;) {
        const int number = int(m_fields.size()) + 1;
        if (pos < line.size() && line[pos] == '~') {
            const std::size_t close = line.find('~', pos + 1);
            if (close == std::string_view::npos) {
                fail(
                    QStringLiteral("field %1: text not closed by ~ (line truncated?)").arg(number));
                return false;
            }
            m_fields.push_back(line.substr(pos + 1, close - pos - 1));
            pos = close + 1;
            if (pos < line.size() && line[pos] != '^') {
                fail(QStringLiteral("field %1: unexpected characters after the closing ~")
                         .arg(number));
                return false;
            }
        } else {
            std::size_t end = line.find('^', pos);
            if (end == std::string_view::npos)
                end = line.size();
            const std::string_view value = line.substr(pos, end - pos);
            if (value.find('~') != std::string_view::npos) {
                fail(QStringLiteral("field %1: stray ~ in %2").arg(number).arg(shown(value)));
                return false;
            }
            m_fields.push_back(value);
            pos = end;
        }
        if (pos >= line.size())
            return true;
        ++pos; // the '^'
    }
}

bool SrFileReader::readInteger(int i, const char* name, int* out)
{
    const std::string_view text = field(i);
    if (text.empty()) {
        fail(QStringLiteral("%1 is empty").arg(QLatin1String(name)));
        return false;
    }
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() ||
        value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        fail(QStringLiteral("%1 %2 is not a whole number").arg(QLatin1String(name), shown(text)));
        return false;
    }
    *out = int(value);
    return true;
}

bool SrFileReader::readNumber(int i, const char* name, std::optional<double>* out)
{
    const std::string_view text = field(i);
    if (text.empty()) {
        out->reset();
        return true;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        fail(QStringLiteral("%1 %2 is not a number").arg(QLatin1String(name), shown(text)));
        return false;
    }
    *out = value;
    return true;
}

std::string SrFileReader::readText(int i) const
{
    return Cp1252::toUtf8(field(i));
}

bool SrFileReader::readText(int i, const char* name, int size, std::string* out)
{
    // One byte is one character in code page 1252.
    const std::string_view text = field(i);
    if (text.size() > std::size_t(size)) {
        fail(QStringLiteral("%1 has %2 characters; the SR format allows at most %3")
                 .arg(QLatin1String(name))
                 .arg(text.size())
                 .arg(size));
        return false;
    }
    *out = Cp1252::toUtf8(text);
    return true;
}
