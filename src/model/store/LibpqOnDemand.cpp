#include "model/store/LibpqOnDemand.h"

#include <libpq-fe.h>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

// Each function the program calls, by name; a new call elsewhere needs its line here
// and a forwarder below, or the program does not link.
#define QUILLON_LIBPQ_FUNCTIONS(X)                                                                                     \
    X(PQclear)                                                                                                         \
    X(PQcmdStatus)                                                                                                     \
    X(PQcmdTuples)                                                                                                     \
    X(PQconnectdb)                                                                                                     \
    X(PQconsumeInput)                                                                                                  \
    X(PQenterPipelineMode)                                                                                             \
    X(PQerrorMessage)                                                                                                  \
    X(PQexec)                                                                                                          \
    X(PQexecParams)                                                                                                    \
    X(PQexitPipelineMode)                                                                                              \
    X(PQfinish)                                                                                                        \
    X(PQfname)                                                                                                         \
    X(PQfreemem)                                                                                                       \
    X(PQftype)                                                                                                         \
    X(PQgetResult)                                                                                                     \
    X(PQgetisnull)                                                                                                     \
    X(PQgetlength)                                                                                                     \
    X(PQgetvalue)                                                                                                      \
    X(PQhost)                                                                                                          \
    X(PQmakeEmptyPGresult)                                                                                             \
    X(PQnfields)                                                                                                       \
    X(PQntuples)                                                                                                       \
    X(PQpipelineSync)                                                                                                  \
    X(PQport)                                                                                                          \
    X(PQputCopyData)                                                                                                   \
    X(PQputCopyEnd)                                                                                                    \
    X(PQresultErrorField)                                                                                              \
    X(PQresultErrorMessage)                                                                                            \
    X(PQresultStatus)                                                                                                  \
    X(PQsendQueryParams)                                                                                               \
    X(PQsocket)                                                                                                        \
    X(PQstatus)                                                                                                        \
    X(PQtransactionStatus)                                                                                             \
    X(PQunescapeBytea)

namespace {

struct Libpq {
#define QUILLON_LIBPQ_SLOT(name) decltype(&::name) name = nullptr;
    QUILLON_LIBPQ_FUNCTIONS(QUILLON_LIBPQ_SLOT)
#undef QUILLON_LIBPQ_SLOT
    QString failure;
};

// The first function the library lacks is named in the failure.
template <typename Function>
void resolve(void* library, const char* name, Function& slot, QString& failure)
{
    slot = reinterpret_cast<Function>(dlsym(library, name));
    if (!slot && failure.isEmpty())
        failure = QStringLiteral("The PostgreSQL client library (libpq.so.5) lacks %1; version 14 or later is needed.")
                      .arg(QLatin1String(name));
}

Libpq loadLibrary()
{
    Libpq pq;
    // Kept loaded for the rest of the run: its functions may be called until the end.
    void* library = dlopen("libpq.so.5", RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        pq.failure = QStringLiteral("The PostgreSQL client library (libpq.so.5) could not be loaded: %1")
                         .arg(QString::fromLocal8Bit(dlerror()));
        return pq;
    }
#define QUILLON_LIBPQ_RESOLVE(name) resolve(library, #name, pq.name, pq.failure);
    QUILLON_LIBPQ_FUNCTIONS(QUILLON_LIBPQ_RESOLVE)
#undef QUILLON_LIBPQ_RESOLVE
    return pq;
}

const Libpq& library()
{
    static const Libpq pq = loadLibrary();
    return pq;
}

// Reached only with a connection or result the library made, so it is loaded;
// a call without one is a fault in the program, not in the office. (The calls
// the program makes on a connection that may be missing answer as libpq does
// for a null one, without loading anything.)
const Libpq& loaded()
{
    const Libpq& pq = library();
    if (!pq.failure.isEmpty()) {
        std::fprintf(stderr, "libpq called before it was loaded: %s\n", qPrintable(pq.failure));
        std::abort();
    }
    return pq;
}

} // namespace

namespace store::libpq {

QString load()
{
    return library().failure;
}

} // namespace store::libpq

extern "C" {

void PQclear(PGresult* res)
{
    if (res)
        loaded().PQclear(res);
}
char* PQcmdStatus(PGresult* res)
{
    return loaded().PQcmdStatus(res);
}
char* PQcmdTuples(PGresult* res)
{
    return loaded().PQcmdTuples(res);
}
PGconn* PQconnectdb(const char* conninfo)
{
    return loaded().PQconnectdb(conninfo);
}
int PQconsumeInput(PGconn* conn)
{
    return loaded().PQconsumeInput(conn);
}
int PQenterPipelineMode(PGconn* conn)
{
    return loaded().PQenterPipelineMode(conn);
}
char* PQerrorMessage(const PGconn* conn)
{
    static char noConnection[] = "connection pointer is NULL\n";
    return conn ? loaded().PQerrorMessage(conn) : noConnection;
}
PGresult* PQexec(PGconn* conn, const char* query)
{
    return loaded().PQexec(conn, query);
}
PGresult* PQexecParams(PGconn* conn, const char* command, int nParams, const Oid* paramTypes,
                       const char* const* paramValues, const int* paramLengths, const int* paramFormats,
                       int resultFormat)
{
    return loaded().PQexecParams(conn, command, nParams, paramTypes, paramValues, paramLengths, paramFormats,
                                 resultFormat);
}
int PQexitPipelineMode(PGconn* conn)
{
    return loaded().PQexitPipelineMode(conn);
}
void PQfinish(PGconn* conn)
{
    if (conn)
        loaded().PQfinish(conn);
}
char* PQfname(const PGresult* res, int field_num)
{
    return loaded().PQfname(res, field_num);
}
void PQfreemem(void* ptr)
{
    if (ptr)
        loaded().PQfreemem(ptr);
}
Oid PQftype(const PGresult* res, int field_num)
{
    return loaded().PQftype(res, field_num);
}
PGresult* PQgetResult(PGconn* conn)
{
    return loaded().PQgetResult(conn);
}
int PQgetisnull(const PGresult* res, int tup_num, int field_num)
{
    return loaded().PQgetisnull(res, tup_num, field_num);
}
int PQgetlength(const PGresult* res, int tup_num, int field_num)
{
    return loaded().PQgetlength(res, tup_num, field_num);
}
char* PQgetvalue(const PGresult* res, int tup_num, int field_num)
{
    return loaded().PQgetvalue(res, tup_num, field_num);
}
char* PQhost(const PGconn* conn)
{
    return loaded().PQhost(conn);
}
PGresult* PQmakeEmptyPGresult(PGconn* conn, ExecStatusType status)
{
    return loaded().PQmakeEmptyPGresult(conn, status);
}
int PQnfields(const PGresult* res)
{
    return loaded().PQnfields(res);
}
int PQntuples(const PGresult* res)
{
    return loaded().PQntuples(res);
}
int PQpipelineSync(PGconn* conn)
{
    return loaded().PQpipelineSync(conn);
}
char* PQport(const PGconn* conn)
{
    return loaded().PQport(conn);
}
int PQputCopyData(PGconn* conn, const char* buffer, int nbytes)
{
    return loaded().PQputCopyData(conn, buffer, nbytes);
}
int PQputCopyEnd(PGconn* conn, const char* errormsg)
{
    return loaded().PQputCopyEnd(conn, errormsg);
}
char* PQresultErrorField(const PGresult* res, int fieldcode)
{
    return loaded().PQresultErrorField(res, fieldcode);
}
char* PQresultErrorMessage(const PGresult* res)
{
    return loaded().PQresultErrorMessage(res);
}
ExecStatusType PQresultStatus(const PGresult* res)
{
    return res ? loaded().PQresultStatus(res) : PGRES_FATAL_ERROR;
}
int PQsendQueryParams(PGconn* conn, const char* command, int nParams, const Oid* paramTypes,
                      const char* const* paramValues, const int* paramLengths, const int* paramFormats,
                      int resultFormat)
{
    return loaded().PQsendQueryParams(conn, command, nParams, paramTypes, paramValues, paramLengths, paramFormats,
                                      resultFormat);
}
int PQsocket(const PGconn* conn)
{
    return loaded().PQsocket(conn);
}
ConnStatusType PQstatus(const PGconn* conn)
{
    return conn ? loaded().PQstatus(conn) : CONNECTION_BAD;
}
PGTransactionStatusType PQtransactionStatus(const PGconn* conn)
{
    return loaded().PQtransactionStatus(conn);
}
unsigned char* PQunescapeBytea(const unsigned char* strtext, size_t* retbuflen)
{
    return loaded().PQunescapeBytea(strtext, retbuflen);
}

} // extern "C"
