#include "platform/core/Stream.h"

#include <algorithm>
#include <cstring>

size_t TMemoryStream::Read(void* buffer, size_t count)
{
    const size_t available = m_bytes.size() - m_position;
    const size_t n = std::min(count, available);
    if (n > 0)
        std::memcpy(buffer, m_bytes.data() + m_position, n);
    m_position += n;
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count)
{
    const size_t room = m_limit > m_position ? m_limit - m_position : 0;
    const size_t n = std::min(count, room);
    if (m_position + n > m_bytes.size())
        m_bytes.resize(m_position + n);
    if (n > 0)
        std::memcpy(m_bytes.data() + m_position, buffer, n);
    m_position += n;
    return n;
}
