// The comparison for quillant-pattern's batch mode: libzint encodes every line
// of a corpus file as Code 128 in one process. It prints how many it encoded.
//
//   zint_encode_loop CORPUS_FILE

#include <zint.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: zint_encode_loop CORPUS_FILE\n", stderr);
        return 64;
    }
    std::ifstream file(argv[1], std::ios::binary);
    std::stringstream contents;
    contents << file.rdbuf();
    const std::string corpus = contents.str();

    zint_symbol* symbol = ZBarcode_Create();
    long encoded = 0;
    size_t begin = 0;
    while (begin < corpus.size()) {
        size_t end = corpus.find('\n', begin);
        if (end == std::string::npos) end = corpus.size();
        ZBarcode_Clear(symbol);
        symbol->symbology = BARCODE_CODE128;
        const auto* text = reinterpret_cast<const unsigned char*>(corpus.data() + begin);
        if (ZBarcode_Encode(symbol, text, static_cast<int>(end - begin)) < ZINT_ERROR) ++encoded;
        begin = end + 1;
    }
    ZBarcode_Delete(symbol);
    std::printf("%ld\n", encoded);
    return 0;
}
