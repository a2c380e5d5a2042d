// dxflib's ASCII writer, with its output kept in memory instead of going
// straight to a file: so that a drawing is written to a temporary file and
// renamed only when whole, and so that a failed write is seen (dxflib's own
// stream does not report one). Reals are written in their shortest form
// that reads back to the same double, so coordinates survive a round trip
// exactly.
#pragma once

#include <dxflib/dl_writer_ascii.h>

#include <string>

class DxfTextWriter : public DL_WriterA
{
public:
    explicit DxfTextWriter(DL_Codes::version dxfVersion);

    void dxfReal(int gc, double value) const override;
    void dxfInt(int gc, int value) const override;
    void dxfHex(int gc, int value) const override;
    void dxfString(int gc, const char* value) const override;
    void dxfString(int gc, const std::string& value) const override;

    const std::string& Text() const { return m_text; }
    // A handle given out without writing it, for an object that others
    // point at before it is written.
    unsigned long Reserve() { return m_handle++; }

private:
    void Code(int gc) const;

    mutable std::string m_text;
};
