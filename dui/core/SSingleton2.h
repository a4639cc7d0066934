#pragma once
// Base of the application-wide singletons of the framework. The application
// makes and deletes them; while one lives it is reachable through its class.
namespace DUI {

template <class T>
class SSingleton2
{
public:
    SSingleton2() { s_instance = static_cast<T*>(this); }
    virtual ~SSingleton2()
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
