// The library's version, for the Java loader to compare with its own: a library left on
// java.library.path by another build must not be bound to these classes.  The text carries a
// prefix so that the version is one string in the file, from "VYTjni version " to the NUL.
#include <jni.h>

#ifndef VYT_VERSION
#error "the build defines VYT_VERSION as the project's version"
#endif

namespace {
constexpr char kVersionText[] = "VYTjni version " VYT_VERSION;
constexpr unsigned kPrefix = sizeof("VYTjni version ") - 1;
}  // namespace

extern "C" JNIEXPORT jstring JNICALL Java_VYTjniLoader_nativeVersion(JNIEnv* env, jclass) {
    // Null with OutOfMemoryError pending when the JVM cannot make the string; Java sees that.
    return env->NewStringUTF(kVersionText + kPrefix);
}
