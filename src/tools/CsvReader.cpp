#include "tools/CsvReader.h"

#include <QFileInfo>

namespace {
// Bytes read from the file at a time.
constexpr qint64 ChunkSize = 1 << 20;
} // namespace

bool CsvReader::open(const QString& path, QString* error)
{
    m_fileName = QFileInfo(path).fileName();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: cannot be read: %2").arg(m_fileName, m_file.errorString());
        return false;
    }
    m_size = m_file.size();
    if (!fill() && failed()) {
        *error = m_error;
        return false;
    }
    if (m_buffer.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
    if (!readRecord()) {
        if (!failed())
            fail(1, QStringLiteral("the file is empty; it needs a header"));
        *error = m_error;
        return false;
    }
    m_headerFields = qsizetype(m_ends.size());
    for (qsizetype i = 0; i < m_headerFields; ++i) {
        const std::string_view name = field(int(i));
        m_columns.insert(QString::fromUtf8(name.data(), qsizetype(name.size())).trimmed(), int(i));
    }
    return true;
}

bool CsvReader::requireColumns(const QStringList& names, std::vector<int>* positions)
{
    positions->clear();
    for (const QString& name : names) {
        const int i = column(name);
        if (i < 0) {
            fail(1, QStringLiteral("no column %1").arg(name));
            return false;
        }
        positions->push_back(i);
    }
    return true;
}

bool CsvReader::next()
{
    if (failed() || !readRecord())
        return false;
    // An empty line (a file's last line break doubled, say) is no record.
    while (m_headerFields > 1 && m_ends.size() == 1 && m_text.empty())
        if (!readRecord())
            return false;
    if (qsizetype(m_ends.size()) != m_headerFields) {
        fail(QStringLiteral("the record has %1 fields, the header %2")
                 .arg(m_ends.size())
                 .arg(m_headerFields));
        return false;
    }
    return true;
}

int CsvReader::percent() const
{
    if (m_size <= 0)
        return 100;
    return int((m_consumed + m_pos) * 100 / m_size);
}

std::string_view CsvReader::field(int i) const
{
    if (i < 0 || std::size_t(i) >= m_ends.size())
        return {};
    const std::size_t begin = i == 0 ? 0 : m_ends[std::size_t(i) - 1];
    return std::string_view(m_text).substr(begin, m_ends[std::size_t(i)] - begin);
}

void CsvReader::fail(const QString& reason)
{
    fail(m_recordLine, reason);
}

void CsvReader::fail(int line, const QString& reason)
{
    if (m_error.isEmpty())
        m_error = QStringLiteral("%1:%2: %3").arg(m_fileName).arg(line).arg(reason);
}

bool CsvReader::fill()
{
    if (m_atEnd)
        return false;
    m_consumed += m_pos;
    m_buffer = m_file.read(ChunkSize);
    m_pos = 0;
    if (m_buffer.isEmpty()) {
        if (m_file.error() != QFileDevice::NoError)
            fail(m_line, QStringLiteral("cannot be read: %1").arg(m_file.errorString()));
        m_atEnd = true;
        return false;
    }
    return true;
}

int CsvReader::peek()
{
    if (m_pos >= m_buffer.size() && !fill())
        return -1;
    return static_cast<unsigned char>(m_buffer[m_pos]);
}

bool CsvReader::readRecord()
{
    m_text.clear();
    m_ends.clear();
    m_recordLine = m_line;
    if (peek() < 0)
        return false;
    for (;;) {
        // One field.
        if (peek() == '"') {
            ++m_pos;
            const int opened = m_line;
            for (;;) {
                const int c = peek();
                if (c < 0) {
                    fail(opened, QStringLiteral("field %1 opens a quote that is never closed")
                                     .arg(m_ends.size() + 1));
                    return false;
                }
                ++m_pos;
                if (c == '"') {
                    if (peek() != '"')
                        break;
                    ++m_pos;
                } else if (c == '\n') {
                    ++m_line;
                }
                m_text.push_back(char(c));
            }
            const int after = peek();
            if (after >= 0 && after != ',' && after != '\n' && after != '\r') {
                fail(QStringLiteral("field %1 has text after its closing quote")
                         .arg(m_ends.size() + 1));
                return false;
            }
        } else {
            // Unquoted: up to the next comma or line end, read straight from the buffer.
            for (;;) {
                if (m_pos >= m_buffer.size() && !fill())
                    break;
                const char* data = m_buffer.constData();
                qsizetype end = m_pos;
                while (end < m_buffer.size()) {
                    const char c = data[end];
                    if (c == ',' || c == '\n' || c == '\r' || c == '"')
                        break;
                    ++end;
                }
                m_text.append(data + m_pos, std::size_t(end - m_pos));
                m_pos = end;
                if (end < m_buffer.size())
                    break;
            }
            if (peek() == '"') {
                fail(QStringLiteral("field %1 has a quote but does not start with one")
                         .arg(m_ends.size() + 1));
                return false;
            }
        }
        m_ends.push_back(m_text.size());

        // What ends the field: a comma, a line end or the end of the file.
        const int c = peek();
        if (c == ',') {
            ++m_pos;
            continue;
        }
        if (c == '\r') {
            ++m_pos;
            if (peek() != '\n') {
                fail(QStringLiteral("a carriage return ends no line"));
                return false;
            }
        }
        if (peek() == '\n') {
            ++m_pos;
            ++m_line;
        }
        return true;
    }
}
