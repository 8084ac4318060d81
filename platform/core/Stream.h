// Byte streams for the node attribute record: an abstract stream that reads and
// writes raw bytes, and a growable stream in memory. ReadBuffer and WriteBuffer move
// exactly the requested count or raise EStreamError ("Stream read error", "Stream
// write error").
#pragma once

#include "platform/core/Exception.h"
#include "platform/core/Object.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TStream : public TObject {
public:
    // Each answers how many bytes it actually moved (fewer at the end of the data, or
    // when the stream cannot take more).
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;

    void ReadBuffer(void* buffer, size_t count)
    {
        if (Read(buffer, count) != count)
            throw EStreamError("Stream read error");
    }
    void WriteBuffer(const void* buffer, size_t count)
    {
        if (Write(buffer, count) != count)
            throw EStreamError("Stream write error");
    }
};

// A stream over a byte vector. With a capacity limit it refuses to grow past it, which
// is how a full medium looks to a writer.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    size_t Position() const { return m_position; }
    void SetPosition(size_t value) { m_position = value < m_bytes.size() ? value : m_bytes.size(); }
    size_t Size() const { return m_bytes.size(); }
    void SetCapacityLimit(size_t limit) { m_limit = limit; }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_position = 0;
    size_t m_limit = SIZE_MAX;
};
