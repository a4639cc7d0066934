// Parses a layout-like XML document with the framework's options and prints
// the parse speed. Without a file argument it makes a 10 MB document itself.
// Last line: mb=M seconds=S mb_per_s=R (S is the median time of one parse).
#include "xml/xmldom.h"

#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string MakeLayout(size_t targetBytes)
{
    std::string doc = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                      "<DUI name=\"XML_MAINWND\" title=\"@string/title\" width=\"1204\" height=\"688\" "
                      "appWnd=\"1\" translucent=\"1\">\r\n  <root skin=\"_skin.bkgnd\" cache=\"1\">\r\n";
    for (int i = 0; doc.size() < targetBytes; ++i) {
        std::string n = std::to_string(i);
        doc += "    <window name=\"wnd_" + n + "\" pos=\"0,[0,-0,@40\" layout=\"hbox\" gravity=\"center\">\r\n"
               "      <img skin=\"skin_icon_" + n + "\" pos=\"10,|-8,@16,@16\"/>\r\n"
               "      <text pos=\"[8,0,-100,-0\" colorText=\"#333333FF\" font=\"face:\xE5\xBE\xAE\xE8\xBD\xAF"
               "\xE9\x9B\x85\xE9\xBB\x91,size:12\" dotted=\"1\">\xE6\x96\x87\xE4\xBB\xB6 &amp; "
               "\xE9\xA1\xB5\xE9\x9D\xA2 " + n + "</text>\r\n"
               "      <button id=\"" + n + "\" name=\"btn_" + n + "\" skin=\"_skin.sys.btn.normal\" "
               "pos=\"-90,|-12,@80,@24\" tip=\"&quot;Start&quot; &lt;now&gt;\">\xE5\xBC\x80\xE5\xA7\x8B</button>\r\n"
               "      <check name=\"chk_" + n + "\" checked=\"0\" animate=\"1\"/>\r\n"
               "    </window>\r\n";
    }
    doc += "  </root>\r\n</DUI>\r\n";
    return doc;
}

bool ReadFile(const wchar_t* path, std::string& out)
{
    FILE* f = _wfopen(path, L"rb");
    if (!f)
        return false;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
        out.append(buf, n);
    fclose(f);
    return true;
}

size_t CountNodes(xmldom::xml_node n)
{
    size_t count = 0;
    for (xmldom::xml_node c = n.first_child(); c;) {
        ++count;
        if (c.first_child()) {
            c = c.first_child();
            continue;
        }
        while (c && c != n && !c.next_sibling())
            c = c.parent();
        if (!c || c == n)
            break;
        c = c.next_sibling();
    }
    return count;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::string data;
    if (argc > 1) {
        if (!ReadFile(argv[1], data)) {
            fprintf(stderr, "cannot read the file\n");
            return 1;
        }
    } else {
        data = MakeLayout(10u << 20);
    }
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    const int runs = 15;
    std::vector<double> times;
    size_t nodes = 0;
    for (int i = 0; i < runs; ++i) {
        xmldom::xml_document doc;
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        xmldom::xml_parse_result r = doc.load_buffer(data.data(), data.size(), xmldom::parse_default, xmldom::encoding_utf8);
        QueryPerformanceCounter(&t1);
        if (!r) {
            fprintf(stderr, "parse failed: %s at %lld\n", r.description(), r.offset);
            return 1;
        }
        times.push_back(static_cast<double>(t1.QuadPart - t0.QuadPart) / freq.QuadPart);
        if (i == 0)
            nodes = CountNodes(doc);
    }
    std::sort(times.begin(), times.end());
    double mb = data.size() / (1024.0 * 1024.0);
    double median = times[times.size() / 2];
    printf("bytes=%zu nodes=%zu runs=%d best=%.4f median=%.4f\n", data.size(), nodes, runs, times.front(), median);
    printf("mb=%.2f seconds=%.4f mb_per_s=%.1f\n", mb, median, mb / median);
    return 0;
}
