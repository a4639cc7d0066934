#pragma once
// Holds a jsoncpp reader made with the library's default settings; users
// parse through Reader()->parse(begin, end, &value, &errors).
#include <memory>

#include <json/json.h>

class CJsonCppReader {
public:
    CJsonCppReader();
    virtual ~CJsonCppReader() = default;

    virtual bool Open() { return true; }
    // Drops the reader; Reader() is null afterwards.
    virtual bool Close();
    virtual void Reserved() {}

    Json::CharReader* Reader() const { return m_reader.get(); }

private:
    Json::CharReaderBuilder m_builder;
    std::unique_ptr<Json::CharReader> m_reader;
};
