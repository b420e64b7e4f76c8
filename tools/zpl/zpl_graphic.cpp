#include "tools/zpl/zpl_graphic.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace quillant::zpl {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string Where(size_t row, size_t offset) {
    return "row " + std::to_string(row + 1) + ", character " + std::to_string(offset + 1);
}

// A decimal field of a command's parameters, up to the next comma.
size_t NumberField(std::string_view text, size_t& at, const char* what) {
    size_t value = 0, digits = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        value = value * 10 + static_cast<size_t>(text[at++] - '0');
        if (++digits > 9) break;
    }
    if (digits == 0 || digits > 9 || at >= text.size() || text[at] != ',') {
        throw std::runtime_error(std::string("~DG: no ") + what + " before a comma");
    }
    ++at;
    return value;
}

// The ^FO origin and ^PO orientation of the label that recalls GRAPHIC.
void PlaceOnLabel(std::string_view job, size_t from, Graphic& graphic) {
    const size_t recall = job.find("^XG" + graphic.name, from);
    if (recall == std::string_view::npos) return;
    size_t label = job.rfind("^XA", recall);
    if (label == std::string_view::npos || label < from) label = from;
    const std::string_view fields = job.substr(label, recall - label);
    const size_t origin = fields.rfind("^FO");
    if (origin != std::string_view::npos) {
        const std::string text(fields.substr(origin + 3));
        graphic.originX = std::atoi(text.c_str());
        const size_t comma = text.find(',');
        if (comma != std::string::npos) graphic.originY = std::atoi(text.c_str() + comma + 1);
    }
    const size_t turn = fields.rfind("^PO");
    if (turn != std::string_view::npos && turn + 3 < fields.size()) graphic.orientation = fields[turn + 3];
}

}  // namespace

std::vector<uint8_t> DecompressRows(std::string_view data, size_t bytesPerRow, size_t totalBytes) {
    if (bytesPerRow == 0 || totalBytes % bytesPerRow != 0) {
        throw std::runtime_error("~DG: " + std::to_string(totalBytes) + " bytes are no whole number of rows of " +
                                 std::to_string(bytesPerRow));
    }
    const size_t rows = totalBytes / bytesPerRow, rowDigits = 2 * bytesPerRow;
    std::vector<uint8_t> bits;
    bits.reserve(totalBytes);
    std::string row;  // the current row's hex digits, as values 0-15
    size_t count = 0, done = 0;
    auto finishRow = [&](size_t offset) {
        if (done == rows) throw std::runtime_error("~DG: more than " + std::to_string(rows) + " rows at " + Where(done, offset));
        for (size_t i = 0; i < rowDigits; i += 2) bits.push_back(static_cast<uint8_t>(row[i] << 4 | row[i + 1]));
        row.clear();
        ++done;
    };
    for (size_t i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (c == '\r' || c == '\n' || c == ' ' || c == '\t') continue;
        if (c >= 'G' && c <= 'Y') {
            count += static_cast<size_t>(c - 'F');
        } else if (c >= 'g' && c <= 'z') {
            count += 20 * static_cast<size_t>(c - 'f');
        } else if (const int digit = HexValue(c); digit >= 0) {
            const size_t run = count ? count : 1;
            if (row.size() + run > rowDigits) throw std::runtime_error("~DG: a run of " + std::to_string(run) +
                                                                       " passes the row's end at " + Where(done, i));
            row.append(run, static_cast<char>(digit));
            count = 0;
            if (row.size() == rowDigits) finishRow(i);
        } else if ((c == ',' || c == '!') && count == 0) {
            row.resize(rowDigits, static_cast<char>(c == ',' ? 0 : 15));
            finishRow(i);
        } else if (c == ':' && count == 0 && row.empty() && done > 0) {
            if (done == rows) finishRow(i);  // says which row is one too many
            bits.insert(bits.end(), bits.end() - static_cast<std::ptrdiff_t>(bytesPerRow), bits.end());
            ++done;
        } else {
            throw std::runtime_error(std::string("~DG: '") + c + "' cannot stand at " + Where(done, i));
        }
    }
    if (!row.empty() || count != 0) throw std::runtime_error("~DG: the data ends inside row " + std::to_string(done + 1));
    if (done != rows) {
        throw std::runtime_error("~DG: " + std::to_string(done) + " of " + std::to_string(rows) + " rows");
    }
    return bits;
}

std::vector<Graphic> ReadGraphics(std::string_view job) {
    std::vector<Graphic> graphics;
    for (size_t at = job.find("~DG"); at != std::string_view::npos; at = job.find("~DG", at)) {
        at += 3;
        Graphic graphic;
        const size_t comma = job.find(',', at);
        if (comma == std::string_view::npos) throw std::runtime_error("~DG without parameters");
        graphic.name = std::string(job.substr(at, comma - at));
        at = comma + 1;
        const size_t total = NumberField(job, at, "byte count");
        graphic.bytesPerRow = NumberField(job, at, "row length");
        const size_t first = job.find_first_not_of("\r\n", at);
        if (first != std::string_view::npos && (job.compare(first, 5, ":B64:") == 0 || job.compare(first, 5, ":Z64:") == 0)) {
            throw std::runtime_error("~DG " + graphic.name + ": only hex data is read, not base64");
        }
        const size_t end = std::min(job.find_first_of("^~", at), job.size());
        graphic.bits = DecompressRows(job.substr(at, end - at), graphic.bytesPerRow, total);
        graphic.rows = total / graphic.bytesPerRow;
        PlaceOnLabel(job, end, graphic);
        graphics.push_back(std::move(graphic));
        at = end;
    }
    if (graphics.empty()) throw std::runtime_error("the job downloads no graphic (~DG)");
    return graphics;
}

}  // namespace quillant::zpl
