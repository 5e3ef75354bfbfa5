/* Compiled as C: the public header must be usable from a C host, and the
 * exports that need no dialog must work through it. */
#include <stdio.h>
#include <string.h>

#include "brmdll32.h"

static int failures = 0;
static int checks = 0;

static void check(int condition, const char* what) {
    ++checks;
    if (!condition) {
        ++failures;
        fprintf(stderr, "FAILED: %s\n", what);
    }
}

int main(void) {
    char path[64] = "C:\\DATA\\CODE.DBF";
    char line[64] = "a,\"x,y\",b";
    char barcode[16] = "123";
    char mask[16] = "";
    char separator = 0;
    int32_t order;

    check(SetIniFile("Brimo.Ini") == 1, "SetIniFile returns 1");
    SetLocations("/tmp", "", "/tmp");
    check(DirExists("/") == 1, "DirExists on /");
    check(DirExists("") == 0, "DirExists on an empty text");

    GetFileName(path);
    check(strcmp(path, "CODE.DBF") == 0, "GetFileName keeps the file name");

    PreProcessImportString(line);
    check(strcmp(line, "a,\"x\x7fy\",b") == 0, "PreProcessImportString marks the quoted comma");

    check(GetBarcodeFormat("CBAR", barcode) == 1, "GetBarcodeFormat returns 1");
    check(strcmp(barcode, "A123B") == 0, "GetBarcodeFormat frames Codabar text");

    order = GetDatabaseDateFormat(mask, &separator);
    check(order >= 0 && order <= 2, "GetDatabaseDateFormat gives an order");
    check(strlen(mask) == 10 && mask[2 + (order == 2 ? 2 : 0)] == separator, "the mask holds the separator");

    printf("%d passed, %d failed\n", checks - failures, failures);
    return failures == 0 ? 0 : 1;
}
