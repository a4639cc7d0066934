#pragma once
// Base of the application-wide singletons of the framework. The application
// makes and deletes them; while one lives it is reachable through its class.
namespace DUI {

// What the application keeps in its table of singletons and deletes there.
class SSingleton2Base
{
public:
    virtual ~SSingleton2Base() = default;
};

template <class T>
class SSingleton2 : public SSingleton2Base
{
public:
    SSingleton2() { s_instance = static_cast<T*>(this); }
    ~SSingleton2() override
    {
        if (s_instance == static_cast<T*>(this))
            s_instance = nullptr;
    }
    SSingleton2(const SSingleton2&) = delete;
    SSingleton2& operator=(const SSingleton2&) = delete;

    static T* GetInstance() { return s_instance; }

private:
    inline static T* s_instance = nullptr;
};

} // namespace DUI
