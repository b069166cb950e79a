// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>

#include <cstdio>  // jpeglib.h uses FILE without including it
#include <jpeglib.h>

namespace kestrava {

namespace {

// libjpeg reports a fatal error by calling error_exit, whose default ends the
// process. The trap jumps back to the setjmp of the running decode or encode
// instead. The manager is the first member so libjpeg's err pointer is also
// a pointer to the trap.
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

// Level -1 is a warning about corrupt data (a truncated file among them, for
// which libjpeg would otherwise fill the missing rows with grey): such data
// counts as unreadable. Trace messages (levels 0 and up) are dropped.
void failOnWarning(j_common_ptr info, int level) {
    if (level < 0)
        jumpBack(info);
}

void printNothing(j_common_ptr) {}

jpeg_error_mgr* installTrap(ErrorTrap& trap) {
    jpeg_std_error(&trap.manager);
    trap.manager.error_exit = jumpBack;
    trap.manager.emit_message = failOnWarning;
    trap.manager.output_message = printNothing;
    return &trap.manager;
}

// Everything libjpeg changes lives here, outside the function that calls
// setjmp, so its values are still valid after a jump back.
struct DecodeSession {
    jpeg_decompress_struct info{};
    ErrorTrap trap{};
};

struct EncodeSession {
    jpeg_compress_struct info{};
    ErrorTrap trap{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    ~EncodeSession() { std::free(buffer); }
};

void readRows(jpeg_decompress_struct& info, QImage& image) {
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
}

// Fills `image` and returns true, or returns false when libjpeg gave up.
bool decodeInto(DecodeSession& session, const QByteArray& data, QImage& image) {
    jpeg_decompress_struct& info = session.info;
    info.err = installTrap(session.trap);
    if (setjmp(session.trap.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width),
                   static_cast<int>(info.output_height), QImage::Format_RGB888);
    const bool allocated = !image.isNull();
    if (allocated) {
        readRows(info, image);
        jpeg_finish_decompress(&info);
    }
    jpeg_destroy_decompress(&info);
    return allocated;
}

void writeRows(jpeg_compress_struct& info, const QImage& rgb) {
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPLE*>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
}

bool encodeInto(EncodeSession& session, const QImage& rgb, int quality) {
    jpeg_compress_struct& info = session.info;
    info.err = installTrap(session.trap);
    if (setjmp(session.trap.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &session.buffer, &session.size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full-resolution colour: the game's JPEGs are small plates with sharp
    // coloured lettering, which halved chroma would smear.
    info.comp_info[0].h_samp_factor = 1;
    info.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    writeRows(info, rgb);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

QImage decodeJpeg(const QByteArray& data) {
    DecodeSession session;
    QImage image;
    if (!decodeInto(session, data, image))
        return QImage();
    return image;
}

QByteArray encodeJpeg(const QImage& image, int quality) {
    if (image.isNull())
        return QByteArray();
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    EncodeSession session;
    if (!encodeInto(session, rgb, std::clamp(quality, 1, 100)))
        return QByteArray();
    return QByteArray(reinterpret_cast<const char*>(session.buffer),
                      static_cast<qsizetype>(session.size));
}

}  // namespace kestrava
