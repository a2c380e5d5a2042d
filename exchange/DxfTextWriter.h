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
    // The handle of the object written last: dxflib gives handles out as it
    // writes and keeps the dictionaries' to itself.
    unsigned long LastHandle() const { return m_lastHandle; }

private:
    void Code(int gc) const;

    mutable std::string m_text;
    mutable unsigned long m_lastHandle = 0;
};
