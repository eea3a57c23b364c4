// Writes the seed corpora of the skin package, XML and picture fuzz
// targets: small valid files plus the hostile-archive corpus.
// Usage: make_skin_corpus OUTPUT_DIR
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>

#include "image/test_pictures.h"
#include "skin/hostile_archives.h"
#include "skin/zip_builder.h"

namespace {

std::string g_root;

void Write(const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string dir = g_root + "/" + folder;
    mkdir(dir.c_str(), 0755);
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

ziptest::Entry Entry(const std::string& name, std::vector<uint8_t> data) {
    ziptest::Entry e;
    e.name = name;
    e.data = std::move(data);
    return e;
}

void Write(const std::string& folder, const std::string& name, const std::string& text) {
    Write(folder, name, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    g_root = argv[1];
    mkdir(g_root.c_str(), 0755);

    for (const ziptest::HostileCase& c : ziptest::HostileCases()) {
        std::vector<uint8_t> bytes = c.make();
        // The over-cap bomb only adds size to every run; its small cousins stay.
        if (bytes.size() > 200000) continue;
        Write("zip", std::string("hostile_") + c.name + ".zip", bytes);
    }
    Write("zip", "small_package.zip", ziptest::SmallValidPackage());
    {
        auto px = pictest::Pattern(6, 5);
        ziptest::Entry png = Entry("skin/a.png", pictest::MakePng(6, 5, px));
        ziptest::Entry ico = Entry("b.ico", pictest::MakeIcoDib32(4, 4, pictest::Pattern(4, 4)));
        ziptest::Entry xml =
            Entry("skin.xml", ziptest::Bytes("<theme><image><item id='i' value='skin\\a.png'/></image></theme>"));
        ziptest::Entry secret = Entry("c.jpg", pictest::MakeJpeg(8, 8, pictest::Pattern(8, 8, true)));
        secret.password = "tovane";
        secret.dataDescriptor = true;
        Write("zip", "pictures_package.zip", ziptest::Build({xml, png, ico, secret}, {1, 2, 3}, "comment").bytes);
    }

    Write("xml", "theme.xml",
          "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<theme version=\"3.0\">\r\n\t<manifest folder=\"skin\" />\r\n"
          "\t<font><item id=\"f\" fontface=\"\xE5\xAE\x8B\xE4\xBD\x93\" fontsize=\"16\" bold=\"true\" /></font>\r\n"
          "\t<constrol><item class=\"window\" id=\"w\"><background captionHeight = \"0\" /></item></constrol>\r\n"
          "</theme>\r\n");
    Write("xml", "markup.xml",
          "<!DOCTYPE t [<!ELEMENT t ANY><!ATTLIST t a CDATA #IMPLIED>]><t a='&#x41;&amp;&lt;&bogus;'>"
          "<!-- c --><![CDATA[<x/>]]><?pi ?>text<u v=\"1>2\"/></t>");
    Write("xml", "broken.xml", "<a><b></a></c><1><!x><!-y><![z><c x='unterminated");
    Write("xml", "nested.xml", std::string(200, '<') + "a>");

    auto px = pictest::Pattern(7, 5);
    Write("png", "rgba.png", pictest::MakePng(7, 5, px));
    Write("png", "rgb.png", pictest::MakePng(7, 5, px, false));
    Write("jpeg", "rgb.jpg", pictest::MakeJpeg(9, 7, px.size() >= 63 ? px : pictest::Pattern(9, 7)));
    Write("jpeg", "gray.jpg", pictest::MakeJpeg(8, 8, pictest::Pattern(8, 8), true));
    Write("ico", "dib32.ico", pictest::MakeIcoDib32(5, 5, pictest::Pattern(5, 5)));
    Write("ico", "dib8.ico", pictest::MakeIcoDib8(9, 3, pictest::Pattern(9, 3)));
    Write("ico", "png.ico", pictest::MakeIcoPng(pictest::MakePng(4, 4, pictest::Pattern(4, 4)), 4, 4));
    return 0;
}
