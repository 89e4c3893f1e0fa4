// Object, the root of the class-library objects: a class number (isA), a
// class name, equality and ordering hooks, and iteration over itself.
// NOOBJECT is the one empty object that searches answer when nothing
// matches; compare against it by address (&obj == &NOOBJECT) or with ==.
#ifndef CLASSLIB_OBJECT_H
#define CLASSLIB_OBJECT_H

#include <iosfwd>

typedef unsigned int classType;
typedef unsigned int hashValueType;
typedef unsigned int sizeType;
typedef unsigned int countType;

// Class numbers of the library's own classes. The program's classes use 0
// and numbers from 300 up.
enum
{
    errorClass = 1,
    containerClass = 2,
    listClass = 3,
    arrayClass = 4,
    insertArrayClass = 5,
    btreeClass = 6
};

class Object;

typedef void (*iterFuncType)(Object& obj, void* args);
typedef int (*condFuncType)(const Object& obj, void* args);

class Object
{
public:
    Object() {}
    virtual ~Object() {}

    virtual classType isA() const = 0;
    virtual const char* nameOf() const = 0;
    virtual hashValueType hashValue() const = 0;
    virtual int isEqual(const Object& test) const = 0;
    virtual int isSortable() const { return 0; }
    virtual int isAssociation() const { return 0; }

    // A single object is a container of itself: forEach calls the function
    // once; firstThat and lastThat answer the object itself when the test
    // holds for it, else NOOBJECT.
    virtual void forEach(iterFuncType func, void* args);
    virtual Object& firstThat(condFuncType test, void* args) const;
    virtual Object& lastThat(condFuncType test, void* args) const;

    virtual void printOn(std::ostream& os) const = 0;

    // The empty object behind NOOBJECT.
    static Object* const ZERO;
};

#define NOOBJECT (*(Object::ZERO))

// Equal when both are of the same class and isEqual says so.
int operator==(const Object& a, const Object& b);
int operator!=(const Object& a, const Object& b);

std::ostream& operator<<(std::ostream& os, const Object& obj);

#endif
