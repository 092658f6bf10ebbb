// MemoryStream: a read cursor over a block of memory that the stream does not own (a locked
// resource, a file read into memory). Every operation stays inside [base, base + size).
#pragma once

class MemoryStream {
public:
    // data may be null only when size is 0; a negative size is taken as 0.
    MemoryStream(const unsigned char* data, int size);

    // The next byte as 0-255, or -1 at the end of the data.
    int getc();
    // Copies size x count bytes, or as many as remain when fewer do; returns the bytes copied.
    // A negative or overflowing request copies nothing.
    int read(void* destination, int size, int count);
    // 0 while bytes remain, -1 at the end.
    int eof() const;
    // origin 0: from the start, origin 1: from the cursor. 0 on success; -1 for any other
    // origin or for a target outside [0, size], which leaves the cursor where it was.
    int seek(int offset, int origin);

    const unsigned char* base;
    const unsigned char* cursor;
    int size;
    int position;
};
