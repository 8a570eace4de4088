#include "JournalRecord.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

namespace {

// Byte 0 the type, byte 1 the kind, bytes 2..5 the element number.
constexpr qsizetype CommonSize = 1 + 1 + 4;

void putU8(QByteArray &out, quint8 value)
{
    out.append(char(value));
}

void putU32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void putI32(QByteArray &out, qint32 value)
{
    putU32(out, quint32(value));
}

void putFloat(QByteArray &out, float value)
{
    quint32 bits;
    static_assert(sizeof bits == sizeof value, "float must be 32 bits");
    std::memcpy(&bits, &value, sizeof bits);
    putU32(out, bits);
}

void putString(QByteArray &out, const QString &text)
{
    putU32(out, quint32(text.size()));
    for (QChar unit : text) {
        char bytes[2];
        qToLittleEndian(unit.unicode(), bytes);
        out.append(bytes, 2);
    }
}

// Reads fields from a payload. The first read that would go past the end
// marks the reader failed; every read after that returns zero, so decode()
// can read a whole record and check once.
class PayloadReader
{
public:
    explicit PayloadReader(QByteArrayView bytes) : m_bytes(bytes) {}

    bool failed() const { return m_failed; }
    bool atEnd() const { return !m_failed && m_position == m_bytes.size(); }

    quint8 u8()
    {
        const char *at = take(1);
        return at ? quint8(*at) : 0;
    }

    quint32 u32()
    {
        const char *at = take(4);
        return at ? qFromLittleEndian<quint32>(at) : 0;
    }

    qint32 i32() { return qint32(u32()); }

    float f32()
    {
        const quint32 bits = u32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // A stored bool is 0 or 1; anything else means the bytes are not ours.
    bool flag()
    {
        const quint8 value = u8();
        if (value > 1)
            m_failed = true;
        return value == 1;
    }

    QString string()
    {
        const quint32 units = u32();
        // Compared before multiplying, so a huge count cannot overflow into
        // a small one or make us allocate for bytes that are not there.
        if (m_failed || units > quint64(m_bytes.size() - m_position) / 2) {
            m_failed = true;
            return QString();
        }
        const char *at = take(qsizetype(units) * 2);
        QString text(qsizetype(units), Qt::Uninitialized);
        QChar *out = text.data();
        for (quint32 i = 0; i < units; ++i)
            out[i] = QChar(qFromLittleEndian<quint16>(at + 2 * i));
        return text;
    }

private:
    const char *take(qsizetype count)
    {
        if (m_failed || count > m_bytes.size() - m_position) {
            m_failed = true;
            return nullptr;
        }
        const char *at = m_bytes.data() + m_position;
        m_position += count;
        return at;
    }

    QByteArrayView m_bytes;
    qsizetype m_position = 0;
    bool m_failed = false;
};

} // namespace

bool JournalRecord::isValid() const
{
    if (kind != ElementKind::Icon && kind != ElementKind::Note)
        return false;
    if (element < 1)
        return false;
    switch (type) {
    case Add:
        return std::isfinite(value.top) && std::isfinite(value.left)
            && std::isfinite(value.width) && std::isfinite(value.height);
    case Place:
        return std::isfinite(value.top) && std::isfinite(value.left);
    case Text:
    case Live:
        return true;
    }
    return false;
}

bool operator==(const JournalRecord &a, const JournalRecord &b)
{
    if (a.type != b.type || a.kind != b.kind || a.element != b.element)
        return false;
    const PlotElement &x = a.value;
    const PlotElement &y = b.value;
    switch (a.type) {
    case JournalRecord::Add:
        return x.text == y.text && x.number == y.number && x.top == y.top
            && x.left == y.left && x.width == y.width && x.height == y.height
            && x.live == y.live && x.pictureKey == y.pictureKey;
    case JournalRecord::Place:
        return x.left == y.left && x.top == y.top;
    case JournalRecord::Text:
        return x.text == y.text;
    case JournalRecord::Live:
        return x.live == y.live;
    }
    return false;
}

QByteArray encode(const JournalRecord &record)
{
    QByteArray out;
    out.reserve(CommonSize + 32);
    putU8(out, record.type);
    putU8(out, quint8(record.kind));
    putI32(out, record.element);
    const PlotElement &value = record.value;
    switch (record.type) {
    case JournalRecord::Add:
        putString(out, value.text);
        putI32(out, value.number);
        putFloat(out, value.top);
        putFloat(out, value.left);
        putFloat(out, value.width);
        putFloat(out, value.height);
        putU8(out, value.live ? 1 : 0);
        putString(out, value.pictureKey);
        break;
    case JournalRecord::Place:
        putFloat(out, value.left);
        putFloat(out, value.top);
        break;
    case JournalRecord::Text:
        putString(out, value.text);
        break;
    case JournalRecord::Live:
        putU8(out, value.live ? 1 : 0);
        break;
    }
    return out;
}

bool decode(QByteArrayView payload, JournalRecord &record)
{
    PayloadReader in(payload);
    const quint8 type = in.u8();
    const quint8 kind = in.u8();
    JournalRecord read;
    read.element = in.i32();
    if (in.failed() || type < JournalRecord::Add || type > JournalRecord::Live
        || kind > quint8(ElementKind::Note))
        return false;
    read.type = JournalRecord::Type(type);
    read.kind = ElementKind(kind);

    PlotElement &value = read.value;
    switch (read.type) {
    case JournalRecord::Add:
        value.text = in.string();
        value.number = in.i32();
        value.top = in.f32();
        value.left = in.f32();
        value.width = in.f32();
        value.height = in.f32();
        value.live = in.flag();
        value.pictureKey = in.string();
        break;
    case JournalRecord::Place:
        value.left = in.f32();
        value.top = in.f32();
        break;
    case JournalRecord::Text:
        value.text = in.string();
        break;
    case JournalRecord::Live:
        value.live = in.flag();
        break;
    }
    if (!in.atEnd() || !read.isValid())
        return false;
    record = read;
    return true;
}
