/*
 * NOVRA support: $shm_open, $shm_probe and $shm_close for Icarus Verilog.
 * The generated test bench records its waveform with these tasks; this VPI module writes that waveform
 * as a VCD file, so that any VCD viewer shows it.
 *   $shm_open("name.shm")          the waveform goes to name.vcd
 *   $shm_probe("A")                every net and reg of the calling scope
 *   $shm_probe(scope, "A")         every net and reg of that scope ("AS": its sub-scopes too)
 *   $shm_close()                   ends the file (the end of the simulation does too)
 * Build: iverilog-vpi shm_vcd.c    Use: vvp -M. -mshm_vcd <bench>.vvp
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "vpi_user.h"

typedef struct Signal {
    vpiHandle handle;
    char *scope;   /* full name of its scope */
    char *name;    /* its own name */
    char code[8];  /* VCD identifier */
    int size;
} Signal;

static char *g_path = NULL;
static FILE *g_file = NULL;
static int g_headerDone = 0;
static int g_closed = 0;
static int g_synchPending = 0;
static Signal *g_signals = NULL;
static int g_count = 0;
static int g_capacity = 0;
static PLI_UINT64 g_lastTime = (PLI_UINT64)-1;

static char *copyText(const char *s) {
    size_t n = strlen(s) + 1;
    char *c = (char *)malloc(n);
    if (c) memcpy(c, s, n);
    return c;
}

static void makeCode(int index, char *out) {
    int i = 0;
    do {
        out[i++] = (char)(33 + index % 94);
        index /= 94;
    } while (index > 0 && i < 7);
    out[i] = '\0';
}

/* Scopes already probed: probing one twice adds nothing. */
static char **g_scopes = NULL;
static int g_scopeCount = 0;

static int firstProbe(const char *scope) {
    for (int i = 0; i < g_scopeCount; ++i)
        if (strcmp(g_scopes[i], scope) == 0) return 0;
    char **grown = (char **)realloc(g_scopes, (size_t)(g_scopeCount + 1) * sizeof(char *));
    if (!grown) return 0;
    g_scopes = grown;
    g_scopes[g_scopeCount++] = copyText(scope);
    return 1;
}

static void addSignal(vpiHandle h, const char *scope) {
    const char *name = vpi_get_str(vpiName, h);
    if (!name) return;
    if (g_count == g_capacity) {
        int cap = g_capacity ? g_capacity * 2 : 64;
        Signal *grown = (Signal *)realloc(g_signals, (size_t)cap * sizeof(Signal));
        if (!grown) return;
        g_signals = grown;
        g_capacity = cap;
    }
    Signal *s = &g_signals[g_count];
    s->handle = h;
    s->scope = copyText(scope);
    s->name = copyText(name);
    s->size = vpi_get(vpiSize, h);
    makeCode(g_count, s->code);
    ++g_count;
}

static void probeScope(vpiHandle scope, int recurse) {
    const char *full = vpi_get_str(vpiFullName, scope);
    char *scopeName = copyText(full ? full : "");
    if (!scopeName) return;
    if (!firstProbe(scopeName)) {
        free(scopeName);
        return;
    }
    static const int kinds[] = {vpiNet, vpiReg};
    for (int k = 0; k < 2; ++k) {
        vpiHandle it = vpi_iterate(kinds[k], scope);
        if (!it) continue;
        vpiHandle h;
        while ((h = vpi_scan(it)) != NULL) addSignal(h, scopeName);
    }
    free(scopeName);
    if (recurse) {
        vpiHandle it = vpi_iterate(vpiModule, scope);
        if (it) {
            vpiHandle m;
            while ((m = vpi_scan(it)) != NULL) probeScope(m, 1);
        }
    }
}

static void writeValue(const Signal *s) {
    s_vpi_value v;
    if (s->size == 1) {
        v.format = vpiScalarVal;
        vpi_get_value(s->handle, &v);
        char c = 'x';
        switch (v.value.scalar) {
            case vpi0: c = '0'; break;
            case vpi1: c = '1'; break;
            case vpiZ: c = 'z'; break;
            default: c = 'x'; break;
        }
        fprintf(g_file, "%c%s\n", c, s->code);
    } else {
        v.format = vpiBinStrVal;
        vpi_get_value(s->handle, &v);
        fprintf(g_file, "b%s %s\n", v.value.str, s->code);
    }
}

static void writeTime(PLI_UINT64 t) {
    if (t != g_lastTime) {
        fprintf(g_file, "#%llu\n", (unsigned long long)t);
        g_lastTime = t;
    }
}

static PLI_UINT64 timeOf(const p_vpi_time t) {
    return ((PLI_UINT64)t->high << 32) | (PLI_UINT64)t->low;
}

static PLI_INT32 onChange(p_cb_data cb) {
    if (!g_file || g_closed) return 0;
    writeTime(timeOf(cb->time));
    writeValue((const Signal *)cb->user_data);
    return 0;
}

static int compareSignals(const void *a, const void *b) {
    const Signal *x = (const Signal *)a;
    const Signal *y = (const Signal *)b;
    return strcmp(x->scope, y->scope);
}

/* Scope names split at dots; returns the number of components. */
static int splitScope(const char *scope, char parts[][128], int max) {
    int n = 0;
    const char *p = scope;
    while (*p && n < max) {
        const char *dot = strchr(p, '.');
        size_t len = dot ? (size_t)(dot - p) : strlen(p);
        if (len > 127) len = 127;
        memcpy(parts[n], p, len);
        parts[n][len] = '\0';
        ++n;
        if (!dot) break;
        p = dot + 1;
    }
    return n;
}

static const char *unitText(int exponent) {
    switch (exponent) {
        case 0: return "1s";    case -1: return "100ms"; case -2: return "10ms"; case -3: return "1ms";
        case -4: return "100us"; case -5: return "10us"; case -6: return "1us";  case -7: return "100ns";
        case -8: return "10ns";  case -9: return "1ns";  case -10: return "100ps"; case -11: return "10ps";
        case -12: return "1ps";  case -13: return "100fs"; case -14: return "10fs"; default: return "1fs";
    }
}

static void writeHeader(void) {
    if (g_headerDone || g_closed) return;
    g_headerDone = 1;
    if (!g_path) g_path = copyText("waveform.vcd");
    g_file = fopen(g_path, "w");
    if (!g_file) {
        vpi_printf("shm_vcd: cannot create %s\n", g_path);
        return;
    }
    fprintf(g_file, "$date\n\tNOVRA test bench\n$end\n$version\n\tshm_vcd\n$end\n");
    fprintf(g_file, "$timescale %s $end\n", unitText(vpi_get(vpiTimePrecision, NULL)));

    qsort(g_signals, (size_t)g_count, sizeof(Signal), compareSignals);
    for (int i = 0; i < g_count; ++i) makeCode(i, g_signals[i].code);
    char open[32][128];
    int depth = 0;
    for (int i = 0; i < g_count; ++i) {
        char parts[32][128];
        int n = splitScope(g_signals[i].scope, parts, 32);
        int common = 0;
        while (common < depth && common < n && strcmp(open[common], parts[common]) == 0) ++common;
        while (depth > common) {
            fprintf(g_file, "$upscope $end\n");
            --depth;
        }
        while (depth < n) {
            strcpy(open[depth], parts[depth]);
            fprintf(g_file, "$scope module %s $end\n", parts[depth]);
            ++depth;
        }
        const Signal *s = &g_signals[i];
        if (s->size == 1)
            fprintf(g_file, "$var wire 1 %s %s $end\n", s->code, s->name);
        else
            fprintf(g_file, "$var wire %d %s %s [%d:0] $end\n", s->size, s->code, s->name, s->size - 1);
    }
    while (depth-- > 0) fprintf(g_file, "$upscope $end\n");
    fprintf(g_file, "$enddefinitions $end\n");

    s_vpi_time now;
    now.type = vpiSimTime;
    vpi_get_time(NULL, &now);
    writeTime(timeOf(&now));
    fprintf(g_file, "$dumpvars\n");
    for (int i = 0; i < g_count; ++i) writeValue(&g_signals[i]);
    fprintf(g_file, "$end\n");

    static s_vpi_time cbTime = {vpiSimTime, 0, 0, 0.0};
    static s_vpi_value cbValue = {vpiSuppressVal, {0}};
    for (int i = 0; i < g_count; ++i) {
        s_cb_data cb;
        memset(&cb, 0, sizeof cb);
        cb.reason = cbValueChange;
        cb.cb_rtn = onChange;
        cb.obj = g_signals[i].handle;
        cb.time = &cbTime;
        cb.value = &cbValue;
        cb.user_data = (PLI_BYTE8 *)&g_signals[i];
        vpi_register_cb(&cb);
    }
}

static PLI_INT32 onSynch(p_cb_data cb) {
    (void)cb;
    g_synchPending = 0;
    writeHeader();
    return 0;
}

static void closeFile(void) {
    if (g_file) {
        fclose(g_file);
        g_file = NULL;
    }
    g_closed = 1;
}

static PLI_INT32 onEnd(p_cb_data cb) {
    (void)cb;
    closeFile();
    return 0;
}

static PLI_INT32 shmOpen(PLI_BYTE8 *user) {
    (void)user;
    vpiHandle call = vpi_handle(vpiSysTfCall, NULL);
    vpiHandle args = vpi_iterate(vpiArgument, call);
    vpiHandle arg = args ? vpi_scan(args) : NULL;
    if (arg) {
        s_vpi_value v;
        v.format = vpiStringVal;
        vpi_get_value(arg, &v);
        const char *name = v.value.str;
        size_t n = strlen(name);
        free(g_path);
        g_path = (char *)malloc(n + 5);
        if (!g_path) return 0;
        strcpy(g_path, name);
        if (n > 4 && strcmp(name + n - 4, ".shm") == 0) g_path[n - 4] = '\0';
        strcat(g_path, ".vcd");
        vpi_free_object(args);
    }
    return 0;
}

static PLI_INT32 shmProbe(PLI_BYTE8 *user) {
    (void)user;
    vpiHandle call = vpi_handle(vpiSysTfCall, NULL);
    vpiHandle scope = vpi_handle(vpiScope, call);
    int recurse = 0;
    vpiHandle args = vpi_iterate(vpiArgument, call);
    vpiHandle arg;
    while (args && (arg = vpi_scan(args)) != NULL) {
        int type = vpi_get(vpiType, arg);
        if (type == vpiModule) {
            scope = arg;
        } else {
            s_vpi_value v;
            v.format = vpiStringVal;
            vpi_get_value(arg, &v);
            if (v.value.str && strchr(v.value.str, 'S')) recurse = 1;
        }
    }
    if (g_headerDone) {
        vpi_printf("shm_vcd: $shm_probe after the waveform started is ignored\n");
        return 0;
    }
    probeScope(scope, recurse);
    if (!g_synchPending) {
        /* The header is written once every probe of this time step has been seen. */
        static s_vpi_time zero = {vpiSimTime, 0, 0, 0.0};
        s_cb_data cb;
        memset(&cb, 0, sizeof cb);
        cb.reason = cbReadOnlySynch;
        cb.cb_rtn = onSynch;
        cb.time = &zero;
        vpi_register_cb(&cb);
        g_synchPending = 1;
    }
    return 0;
}

static PLI_INT32 shmClose(PLI_BYTE8 *user) {
    (void)user;
    closeFile();
    return 0;
}

static PLI_INT32 compileArgs(PLI_BYTE8 *user) {
    (void)user;
    return 0;
}

static void registerTask(const char *name, PLI_INT32 (*calltf)(PLI_BYTE8 *)) {
    s_vpi_systf_data tf;
    memset(&tf, 0, sizeof tf);
    tf.type = vpiSysTask;
    tf.tfname = name;
    tf.calltf = calltf;
    tf.compiletf = compileArgs;
    vpi_register_systf(&tf);
}

static void registerAll(void) {
    registerTask("$shm_open", shmOpen);
    registerTask("$shm_probe", shmProbe);
    registerTask("$shm_close", shmClose);
    s_cb_data cb;
    memset(&cb, 0, sizeof cb);
    cb.reason = cbEndOfSimulation;
    cb.cb_rtn = onEnd;
    vpi_register_cb(&cb);
}

void (*vlog_startup_routines[])(void) = {registerAll, 0};
