#pragma once
// One object of T for the process, made on first use and never destroyed:
// worker threads may still reach it while static objects are torn down.
// T makes CSingleton<T> a friend when its constructor is private.
template <class T>
class CSingleton {
public:
    static T& Instance()
    {
        static T* object = new T();
        return *object;
    }

protected:
    CSingleton() = default;
    ~CSingleton() = default;
    CSingleton(const CSingleton&) = delete;
    CSingleton& operator=(const CSingleton&) = delete;
};
