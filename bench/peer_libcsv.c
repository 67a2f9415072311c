/* Peer: Debian's libcsv reading the same file into rows of separately allocated fields. */
#include <csv.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>

struct table {
    char** fields;
    size_t count, capacity, rows;
};

static void on_field(void* data, size_t length, void* context) {
    struct table* t = context;
    if (t->count == t->capacity) {
        t->capacity = t->capacity ? t->capacity * 2 : 1024;
        t->fields = realloc(t->fields, t->capacity * sizeof *t->fields);
    }
    char* copy = malloc(length + 1);
    memcpy(copy, data, length);
    copy[length] = 0;
    t->fields[t->count++] = copy;
}

static void on_row(int terminator, void* context) {
    (void)terminator;
    ((struct table*)context)->rows++;
}

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    struct timespec a, b;
    clock_gettime(CLOCK_MONOTONIC, &a);
    FILE* f = fopen(argv[1], "rb");
    struct stat st;
    fstat(fileno(f), &st);
    char* buffer = malloc(st.st_size);
    size_t got = fread(buffer, 1, st.st_size, f);
    fclose(f);
    struct csv_parser parser;
    csv_init(&parser, CSV_STRICT | CSV_APPEND_NULL);
    csv_set_delim(&parser, ';');
    struct table t = {0};
    if (csv_parse(&parser, buffer, got, on_field, on_row, &t) != got)
        fprintf(stderr, "libcsv: %s\n", csv_strerror(csv_error(&parser)));
    csv_fini(&parser, on_field, on_row, &t);
    free(buffer);
    clock_gettime(CLOCK_MONOTONIC, &b);
    double seconds = (b.tv_sec - a.tv_sec) + (b.tv_nsec - a.tv_nsec) / 1e9;
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    double mb = st.st_size / 1e6, peak = usage.ru_maxrss * 1024 / 1e6;
    printf("%-22s %8.1f MB/s  peak %7.1f MB = %4.2f x file  %zu rows\n", "libcsv", mb / seconds,
           peak, peak / mb, t.rows ? t.rows - 1 : 0);
    return 0;
}
