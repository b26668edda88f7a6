#include "platform/ui/back_buffer.h"

#include <utility>

namespace win {

CBackBuffer::Selection::Selection(CBackBuffer& buffer) : m_dc(buffer.m_dc), m_previous(buffer.m_dc.SelectObject(&buffer.m_bitmap)) {}

CBackBuffer::Selection::~Selection() { m_dc.SelectObject(m_previous); }

void CBackBuffer::Create(CDC& screen, int width, int height, std::string logName)
{
  Free();
  m_dc.CreateCompatibleDC(&screen);
  m_dc.SetLogName(std::move(logName));
  m_bitmap.CreateCompatibleBitmap(&screen, width, height);
}

void CBackBuffer::Free()
{
  m_bitmap.DeleteObject();
  m_dc.DeleteDC();
}

bool CBackBuffer::IsReady() const { return m_dc.GetSafeHdc() != nullptr && m_bitmap.GetSafeHandle() != nullptr; }

void CBackBuffer::CopyTo(CDC& target, int width, int height) { CopyTo(target, RECT{0, 0, width, height}); }

void CBackBuffer::CopyTo(CDC& target, const RECT& area)
{
  target.BitBlt(area.left, area.top, area.right - area.left, area.bottom - area.top, &m_dc, area.left, area.top, SRCCOPY);
}

TransparentCopyDrawing::TransparentCopyDrawing(CDC& dc) : m_dc(dc), m_bkMode(dc.SetBkMode(TRANSPARENT)), m_rop(dc.SetROP2(R2_COPYPEN)) {}

TransparentCopyDrawing::~TransparentCopyDrawing()
{
  m_dc.SetROP2(m_rop);
  m_dc.SetBkMode(m_bkMode);
}

}  // namespace win
