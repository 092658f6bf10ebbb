// The JPEG segments before the first scan: SOF0, DHT, DQT, DRI and SOS, with every field
// checked against the data and against the decoder's limits. SOF0, DRI and SOS are read field
// by field and their length fields are not used; DHT and DQT read tables while their length
// leaves bytes; other segments are skipped by their length.
#include <cstdio>

#include "assets/jpeg_decoder.h"

namespace {

int read_byte(MemoryStream* stream, int* value) {
    const int c = stream->getc();
    if (c < 0) return 0;
    *value = c;
    return 1;
}

int read_word(MemoryStream* stream, int* value) {
    int high = 0;
    int low = 0;
    if (!read_byte(stream, &high) || !read_byte(stream, &low)) return 0;
    *value = (high << 8) | low;
    return 1;
}

int read_frame_header(JpegDecoder* d) {
    MemoryStream* s = d->stream.get();
    int precision = 0, height = 0, width = 0, count = 0;
    if (!read_byte(s, &precision) || !read_word(s, &height) || !read_word(s, &width) ||
        !read_byte(s, &count)) {
        return 0;
    }
    // A width of 0 is not a frame, and a height of 0 leaves the lines to a DNL segment that
    // this decoder does not read: either would come back as an empty picture.
    if (width == 0 || height == 0) return 0;
    if (static_cast<long long>(width) * height > kJpegMaxPixels) return 0;
    if (count < 1 || count > 3) return 0;
    d->precision = precision;
    d->height = height;
    d->width = width;
    d->pixel_count = width * height;
    d->component_count = count;
    for (int i = 0; i < count; ++i) {
        int id = 0, sampling = 0, table = 0;
        if (!read_byte(s, &id) || !read_byte(s, &sampling) || !read_byte(s, &table)) return 0;
        JpegComponent& c = d->components[i];
        c.id = id;
        c.h_samp = sampling >> 4;
        c.v_samp = sampling & 15;
        c.quant_table = table;
        if (c.h_samp == 0 || c.v_samp == 0 || table > 3) return 0;
        // Chroma is replicated by whole factors of the first component's sampling.
        const JpegComponent& first = d->components[0];
        if (first.h_samp % c.h_samp != 0 || first.v_samp % c.v_samp != 0) return 0;
    }
    return 1;
}

// The byte that opens each table of a DHT or DQT segment: its high four bits (class or
// precision) and the destination in the low four, which must be 0-3.
int read_table_selector(MemoryStream* stream, int* high, int* destination) {
    int selector = 0;
    if (!read_byte(stream, &selector)) return 0;
    *high = selector >> 4;
    *destination = selector & 15;
    return *destination <= 3;
}

int read_huffman_tables(JpegDecoder* d, int payload) {
    MemoryStream* s = d->stream.get();
    int remaining = payload;
    while (remaining > 0) {
        int table_class = 0, destination = 0;
        if (!read_table_selector(s, &table_class, &destination)) return 0;
        // Bit 4 of the selector: set for AC.
        HuffmanTable* table =
            (table_class & 1) ? &d->ac_tables[destination] : &d->dc_tables[destination];
        if (s->read(table->counts, 1, 16) != 16) return 0;
        int total = 0;
        for (int i = 0; i < 16; ++i) total += table->counts[i];
        if (total > 256) return 0;
        if (s->read(table->values, 1, total) != total) return 0;
        remaining -= 17 + total;
        if (!jpeg_build_huffman_table(table)) return 0;
    }
    return 1;
}

int read_quant_tables(JpegDecoder* d, int payload) {
    MemoryStream* s = d->stream.get();
    int remaining = payload;
    while (remaining > 0) {
        int precision = 0, destination = 0;
        if (!read_table_selector(s, &precision, &destination)) return 0;
        const int wide = precision != 0;
        std::int32_t* table = d->quant_tables[destination];
        for (int i = 0; i < 64; ++i) {
            int value = 0;
            if (!(wide ? read_word(s, &value) : read_byte(s, &value))) return 0;
            table[i] = value;
        }
        remaining -= wide ? 129 : 65;
    }
    return 1;
}

int read_scan_header(JpegDecoder* d) {
    MemoryStream* s = d->stream.get();
    // A scan before any frame header would be an empty picture.
    if (d->component_count == 0) return 0;
    int count = 0;
    if (!read_byte(s, &count)) return 0;
    // A selector that names no frame component sets nothing.
    for (int i = 0; i < count; ++i) {
        int id = 0, tables = 0;
        if (!read_byte(s, &id) || !read_byte(s, &tables)) return 0;
        for (int c = 0; c < d->component_count; ++c) {
            if (d->components[c].id != id) continue;
            d->components[c].dc_table = tables >> 4;
            d->components[c].ac_table = tables & 15;
        }
    }
    int start = 0, end = 0, approximation = 0;
    if (!read_byte(s, &start) || !read_byte(s, &end) || !read_byte(s, &approximation)) return 0;
    d->scan_start = start;
    d->scan_end = end;
    d->approx_high = approximation >> 4;
    d->approx_low = approximation & 15;
    // Every component is decoded with its tables, a component the scan did not name with
    // tables 0; destinations above 3 lie outside the decoder.
    for (int c = 0; c < d->component_count; ++c) {
        const JpegComponent& component = d->components[c];
        if (component.dc_table > 3 || component.ac_table > 3) return 0;
    }
    // A table that no segment defined keeps its zero fill: every quantiser 0, and no Huffman
    // code, so that each symbol is the next 16 bits.
    for (int t = 0; t < 4; ++t) {
        if (!d->dc_tables[t].defined) jpeg_build_huffman_table(&d->dc_tables[t]);
        if (!d->ac_tables[t].defined) jpeg_build_huffman_table(&d->ac_tables[t]);
    }
    return 1;
}

}  // namespace

int jpeg_read_markers(JpegDecoder* d) {
    MemoryStream* s = d->stream.get();
    for (;;) {
        if (s->eof()) return 0;
        if (s->getc() != 0xFF) return 0;
        const int code = s->getc();
        if (code < 0) return 0;
        if (code == 0xD8) continue;
        // EOI carries no length: it is recognised even as the last two bytes of the data.
        if (code == 0xD9) {
            std::fputs("jpeg_read_markers(): end of image\n", stderr);
            return 0;
        }
        int length = 0;
        if (!read_word(s, &length)) return 0;
        const int payload = length - 2;
        switch (code) {
            case 0xC0:
                if (!read_frame_header(d)) return 0;
                break;
            case 0xC1: case 0xC2: case 0xC3: case 0xC5: case 0xC6: case 0xC7: case 0xC8:
            case 0xC9: case 0xCA: case 0xCB: case 0xCD: case 0xCE: case 0xCF:
                std::fprintf(stderr,
                             "jpeg_read_markers(): unsupported JPEG format 0x%02x support only "
                             "Baseline\n",
                             code);
                return 0;
            case 0xC4:
                if (!read_huffman_tables(d, payload)) return 0;
                break;
            case 0xDB:
                if (!read_quant_tables(d, payload)) return 0;
                break;
            case 0xDD: {
                int interval = 0;
                if (!read_word(s, &interval)) return 0;
                d->restart_interval = interval;
                break;
            }
            case 0xDA:
                return read_scan_header(d);
            default:  // APPn, COM, DAC, RSTn, DNL and anything unknown
                // A length below 2 would step back onto the length field itself.
                if (payload < 0 || s->seek(payload, 1) != 0) return 0;
                break;
        }
    }
}
