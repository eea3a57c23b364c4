// Benchmark: indexing a 5 MB theme-like document with CSkinXmlDocument
// beside pugixml parsing the same bytes, in the same process and run.
// Prints the best of several runs of each and their ratio.
#include <pugixml.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "skin/xml/skin_xml_document.h"
#include "skin/xml/skin_xml_text.h"
#include "tests/bench/bench_timing.h"

namespace {

std::string ThemeLikeDocument(size_t bytes) {
    std::string doc = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<theme version=\"3.0\">\r\n";
    doc += "\t<manifest folder=\"skin\" />\r\n";
    for (int section = 0; doc.size() < bytes; ++section) {
        doc += "\t<constrol>\r\n";
        for (int i = 0; i < 200 && doc.size() < bytes; ++i) {
            std::string id = std::to_string(section) + "." + std::to_string(i);
            doc += "\t\t<item class=\"button\" id=\"btn." + id +
                   "\" left=\"-40\" top=\"0\" width=\"40\" height=\"23\">\r\n";
            doc += "\t\t\t<attribute toolTip=\"\xE9\x80\x80\xE5\x87\xBA &amp; more\" />\r\n";
            doc +=
                "\t\t\t<image id=\"close.normal\" picFile=\"btn_close_nor\" state=\"normal\" drawStyle=\"draw9grid\" "
                "/>\r\n";
            doc += "\t\t\t<image id=\"close.over\" picFile=\"btn_close_hit\" state=\"over\" />\r\n";
            doc +=
                "\t\t\t<text id=\"text\" string=\"\xE8\xAF\xB7\xE8\xBF\x9E\xE6\x8E\xA5\" color=\"#standard.color\" "
                "horizAlign=\"center\" font=\"default_title_bold\" />\r\n";
            doc +=
                "\t\t\t<background picFile=\"standard.Prompt.Background\" captionHeight = \"0\" "
                "borderWidth=\"(2,2,2,2)\" />\r\n";
            doc += "\t\t</item>\r\n";
        }
        doc += "\t</constrol>\r\n";
    }
    doc += "</theme>\r\n";
    return doc;
}

}  // namespace

int main() {
    const std::string doc = ThemeLikeDocument(5u << 20);
    // The two parsers take turns so that both see the same machine load.
    const int runs = 30;
    size_t elements = 0;
    size_t pugiOk = 0;
    double ours = 1e300, pugi = 1e300;
    for (int i = 0; i < runs; ++i) {
        ours = std::min(ours, BestMilliseconds(1, [&] {
                            CSkinXmlDocument d;
                            d.LoadUtf8(doc.data(), doc.size());
                            elements = d.ElementCount();
                        }));
        pugi = std::min(pugi, BestMilliseconds(1, [&] {
                            pugi::xml_document d;
                            pugiOk =
                                d.load_buffer(doc.data(), doc.size(), pugi::parse_default, pugi::encoding_utf8) ? 1 : 0;
                        }));
    }
    size_t units = 0;
    double decode = BestMilliseconds(runs, [&] {
        units = skinxml::DecodeUtf8(reinterpret_cast<const uint8_t*>(doc.data()), doc.size(), doc.size()).size();
    });
    // pugixml copies the buffer; parsing in place is its fastest mode.
    std::string copy;
    double pugiInPlace = BestMilliseconds(runs, [&] {
        copy = doc;
        pugi::xml_document d;
        d.load_buffer_inplace(&copy[0], copy.size(), pugi::parse_default, pugi::encoding_utf8);
    });
    std::printf("document: %.2f MB, %zu elements (pugixml parsed: %s)\n", doc.size() / 1048576.0, elements,
                pugiOk ? "yes" : "no");
    std::printf("CSkinXmlDocument::LoadUtf8 (decode to UTF-16 + index): %8.2f ms  %7.1f MB/s\n", ours,
                doc.size() / 1048576.0 / (ours / 1000));
    std::printf("  of which UTF-8 to UTF-16 decoding (%zu units):   %8.2f ms\n", units, decode);
    std::printf("pugixml load_buffer (parse_default):                   %8.2f ms  %7.1f MB/s\n", pugi,
                doc.size() / 1048576.0 / (pugi / 1000));
    std::printf("pugixml load_buffer_inplace (incl. copy):              %8.2f ms\n", pugiInPlace);
    std::printf("ratio CSkinXmlDocument / pugixml: %.2f (below 1.00: faster)\n", ours / pugi);
    return 0;
}
