#pragma once
// The test pictures drawn by make_fixtures.py into one folder for the whole
// test binary, with each one's upright size.
#include "tests/components/PelmoraImageConvert2022/HostPython.h"
#include "tests/support/TempFolder.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace pelmoratest {

struct Fixture {
    std::string name;
    unsigned width = 0;
    unsigned height = 0;
};

class Fixtures {
public:
    static Fixtures& Get()
    {
        static Fixtures fixtures;
        return fixtures;
    }
    const std::vector<Fixture>& List() const { return m_list; }
    const testsupport::TempFolder& Folder() const { return m_folder; }
    std::wstring Path(const std::string& name) const { return m_folder.File(std::wstring(name.begin(), name.end())); }
    const std::string& Error() const { return m_error; }

private:
    Fixtures() : m_folder(L"pelmora_fixtures")
    {
        ScriptRun run = RunHostPython(L"make_fixtures.py", {m_folder.Folder().substr(0, m_folder.Folder().size() - 1)});
        if (run.exitCode != 0) m_error = run.output;
        for (const std::string& line : run.Lines()) {
            std::istringstream in(line);
            Fixture f;
            if (in >> f.name >> f.width >> f.height) m_list.push_back(f);
        }
    }

    testsupport::TempFolder m_folder;
    std::vector<Fixture> m_list;
    std::string m_error;
};

}  // namespace pelmoratest
