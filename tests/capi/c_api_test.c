/* A C host: only the C header, every class the library publishes, values in and out, the
 * numbered errors, and the lifetime that DllCanUnloadNow reports. Prints "passed" or each
 * failed check. */
#include <ZarvLinesParm/zarvlinesparm.h>

#include <stdio.h>
#include <string.h>

static int failures = 0;

#define CHECK(cond)                                                                                                    \
    do {                                                                                                               \
        if (!(cond)) {                                                                                                 \
            printf("%s:%d: failed: %s (last error %d %s)\n", __FILE__, __LINE__, #cond, zlp_last_error_number(),       \
                   zlp_last_error_text());                                                                             \
            ++failures;                                                                                                \
        }                                                                                                              \
    } while (0)

static zlp_variant i16(int16_t v)
{
    zlp_variant x;
    x.type = ZLP_INT16;
    x.value.i16 = v;
    return x;
}
static zlp_variant i32(int32_t v)
{
    zlp_variant x;
    x.type = ZLP_INT32;
    x.value.i32 = v;
    return x;
}
static zlp_variant str(const char* v)
{
    zlp_variant x;
    x.type = ZLP_STRING;
    x.value.str = v;
    return x;
}

/* Every class, by ProgID and through a factory by its class identifier. SaveDefault is the one
 * property all classes share; its getter reads the working record, which no Start has filled
 * from what the setter wrote, so it still reads 0. */
static void everyClass(void)
{
    size_t count = 0;
    CHECK(zlp_class_count(&count) == ZLP_OK && count >= 1);
    for (size_t i = 0; i < count; ++i) {
        const char* progId = NULL;
        const char* classId = NULL;
        CHECK(zlp_class_progid(i, &progId) == ZLP_OK && strncmp(progId, "ZarvLinesParm.", 14) == 0);
        CHECK(zlp_class_id(i, &classId) == ZLP_OK && strlen(classId) == 38 && classId[0] == '{');

        zlp_object* byName = NULL;
        CHECK(zlp_create(progId, &byName) == ZLP_OK);
        zlp_variant one = i16(1);
        CHECK(zlp_let(byName, "SaveDefault", &one, 1) == ZLP_OK);
        zlp_variant got = i32(-1);
        CHECK(zlp_get(byName, "savedefault", NULL, 0, &got) == ZLP_OK);
        CHECK(got.type == ZLP_INT16 && got.value.i16 == 0);

        /* The description names the class as published, whatever the case asked for, and
         * its members (the text itself is the command-line tests', which print it). */
        char lower[64] = "", *json = NULL, expected[96];
        for (size_t c = 0; progId[c] && c < sizeof lower - 1; ++c)
            lower[c] = (char)(progId[c] | 0x20);
        snprintf(expected, sizeof expected, "{\n  \"class\": \"%s\",\n  \"members\": [\n", progId);
        CHECK(zlp_describe(lower, &json) == ZLP_OK && strncmp(json, expected, strlen(expected)) == 0);
        CHECK(json
              && strstr(json, "\"name\": \"SaveDefault\",\n      \"kind\": \"property\",\n      \"type\": \"Int16\""));
        CHECK(json && strstr(json, "\"name\": \"Start\",\n      \"kind\": \"method\""));
        CHECK(json && json[strlen(json) - 1] == '}');
        CHECK(zlp_free(json) == ZLP_OK);

        zlp_factory* factory = NULL;
        zlp_object* byId = NULL;
        CHECK(DllGetClassObject(classId, &factory) == ZLP_OK);
        CHECK(zlp_factory_create(factory, &byId) == ZLP_OK);
        CHECK(byId != byName);
        CHECK(zlp_factory_release(factory) == ZLP_OK);
        CHECK(DllCanUnloadNow() == ZLP_FALSE);
        CHECK(zlp_release(byName) == ZLP_OK && zlp_release(byId) == ZLP_OK);
    }
    CHECK(zlp_class_progid(count, &(const char*){NULL}) == 9);
}

static void valuesAndErrors(void)
{
    zlp_object* circle = NULL;
    CHECK(zlp_create("zarvlinesparm.circleelipsecls", &circle) == ZLP_OK);

    zlp_variant args[2] = {i16(2), i32(65280)};
    CHECK(zlp_let(circle, "Cor", args, 2) == ZLP_OK);
    CHECK(zlp_last_error_number() == 0 && zlp_last_error_text()[0] == '\0');

    /* Start is the only method; without a dialog answered it is not called here, but a wrong
     * call of it fails before any dialog. */
    zlp_variant result = i16(7);
    CHECK(zlp_call(circle, "Start", args, 1, &result) == 450);
    CHECK(result.type == ZLP_INT16 && result.value.i16 == 7); /* a failed call writes nothing */

    zlp_variant big = i32(70000);
    CHECK(zlp_let(circle, "Fill", &big, 1) == 6); /* a 32-bit value arrives whole, too big for Fill */

    /* What C can get wrong that C++ cannot: nothing is dereferenced, each is numbered (the
     * numbers' texts and the errors both interfaces share are the late-binding tests'). */
    zlp_variant nullText = str(NULL);
    CHECK(zlp_let(circle, "Fill", &nullText, 1) == 5);
    CHECK(zlp_get(circle, NULL, NULL, 0, &result) == 5);
    CHECK(zlp_let(circle, "Fill", NULL, 1) == 5);
    CHECK(zlp_get((zlp_object*)(void*)&big, "Fill", NULL, 0, &result) == 91);
    CHECK(zlp_release((zlp_object*)(void*)0x10) == 91);
    CHECK(zlp_factory_create((zlp_factory*)(void*)circle, &circle) == 91); /* an object is no factory */
    CHECK(DllGetClassObject("{00000000-0000-0000-0000-000000000000}", &(zlp_factory*){NULL}) == 429);
    CHECK(DllGetClassObject("ZarvLinesParm.CircleElipseCls", NULL) == 5);
    char* json = (char*)"untouched";
    CHECK(zlp_describe("ZarvLinesParm.NoSuchCls", &json) == 429 && strcmp(json, "untouched") == 0);
    CHECK(strcmp(zlp_last_error_detail(), "ZarvLinesParm.NoSuchCls") == 0);
    CHECK(zlp_describe(NULL, &json) == 5 && zlp_describe("ZarvLinesParm.CircleElipseCls", NULL) == 5);
    CHECK(zlp_free(NULL) == ZLP_OK);

    /* The table's texts, for a host's own checks, leave the last error as it was. */
    zlp_variant three = i16(3);
    CHECK(zlp_get(circle, "Cor", &three, 1, NULL) == 9);
    CHECK(strcmp(zlp_error_text(13), "Type mismatch") == 0 && zlp_error_text(1)[0] == '\0');
    CHECK(zlp_last_error_number() == 9 && strcmp(zlp_last_error_text(), "Subscript out of range") == 0);

    /* A detail of 1024 bytes, one more than is kept, is cut before the character it would split. */
    char name[1025];
    memset(name, 'a', 1022);
    memcpy(name + 1022, "\xC3\xA9", 3);
    CHECK(zlp_create(name, &(zlp_object*){NULL}) == 429 && strlen(zlp_last_error_detail()) == 1022);

    CHECK(zlp_release(circle) == ZLP_OK);
    CHECK(zlp_release(circle) == 91);
    CHECK(zlp_get(circle, "Fill", NULL, 0, &result) == 91);
    CHECK(zlp_variant_clear(&result) == ZLP_OK && result.type == ZLP_EMPTY);
    CHECK(zlp_variant_clear(NULL) == 5);
}

/* A string that comes out is the caller's own copy, whole, until zlp_variant_clear frees it. */
static void strings(void)
{
    zlp_object* range = NULL;
    CHECK(zlp_create("ZarvLinesParm.ZarvRangerParmClass", &range) == ZLP_OK);
    zlp_variant caption = str("Range of the day"), got = i16(0);
    CHECK(zlp_let(range, "Caption", &caption, 1) == ZLP_OK);
    CHECK(zlp_get(range, "Caption", NULL, 0, &got) == ZLP_OK);
    CHECK(got.type == ZLP_STRING && got.value.str != caption.value.str
          && strcmp(got.value.str, caption.value.str) == 0);
    CHECK(zlp_variant_clear(&got) == ZLP_OK && got.type == ZLP_EMPTY);
    CHECK(zlp_release(range) == ZLP_OK);
}

/* The library may go only when nothing made through this interface is alive and no lock is held. */
static void lifetime(void)
{
    CHECK(DllCanUnloadNow() == ZLP_OK);
    zlp_factory* factory = NULL;
    CHECK(DllGetClassObject("{7efd7251-cc65-0000-0000-000000000000}", &factory) == 429);
    CHECK(DllGetClassObject("7efd7251-c3d8-44cc-9131-7a807d4bbc0d", &factory) == ZLP_OK);
    CHECK(DllCanUnloadNow() == ZLP_FALSE);
    CHECK(zlp_factory_lock(factory, 1) == ZLP_OK);
    CHECK(zlp_factory_release(factory) == ZLP_OK);
    CHECK(DllCanUnloadNow() == ZLP_FALSE); /* the lock outlives the factory */
    CHECK(zlp_factory_lock(factory, 0) == 91);
    CHECK(DllGetClassObject("ZarvLinesParm.CircleElipseCls", &factory) == ZLP_OK);
    CHECK(zlp_factory_lock(factory, 0) == ZLP_OK);
    CHECK(zlp_factory_lock(factory, 0) == 5); /* no lock left to undo */
    zlp_object* object = NULL;
    CHECK(zlp_factory_create(factory, &object) == ZLP_OK);
    CHECK(zlp_factory_release(factory) == ZLP_OK);
    CHECK(DllCanUnloadNow() == ZLP_FALSE);
    CHECK(zlp_release(object) == ZLP_OK);
    CHECK(DllCanUnloadNow() == ZLP_OK);
}

int main(void)
{
    lifetime();
    everyClass();
    valuesAndErrors();
    strings();
    CHECK(DllCanUnloadNow() == ZLP_OK);
    size_t count = 0;
    zlp_class_count(&count);
    printf("%s: %zu classes\n", failures ? "FAILED" : "passed", count);
    return failures ? 1 : 0;
}
