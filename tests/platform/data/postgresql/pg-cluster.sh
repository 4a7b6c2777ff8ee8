#!/usr/bin/env bash
# A private PostgreSQL cluster for the ODBC tests.
#
#   pg-cluster.sh run COMMAND...   make a cluster in a temporary folder, start
#                                  it on a free loopback port, create role sa,
#                                  database master and the test tables, write
#                                  an odbc.ini of its own, run COMMAND with the
#                                  variables below, then stop and remove it all
#   pg-cluster.sh stop|start DIR   stop or start the cluster of a run (tests
#                                  use this to see a stopped server)
#
# COMMAND sees ODBCINI and ODBCSYSINI (the data source ATS_PG_DSN), the
# password ATS_PG_PASSWORD, ATS_PG_CONTROL and ATS_PG_DIR (this script and the
# cluster's folder, for stop and start) and PGHOST, PGPORT, PGUSER, PGDATABASE
# for psql (ATS_PG_PSQL). initdb refuses to run as root, so as root the server runs as
# the postgres system user.
set -euo pipefail

script=$(readlink -f "$0")
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bindir" ] || [ ! -x "$bindir/initdb" ]; then
  echo "pg-cluster: the PostgreSQL server is not installed (Debian package postgresql)" >&2
  exit 1
fi

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

server() {  # server start|stop DIR
  local dir=$2 port
  port=$(cat "$dir/port")
  case "$1" in
    start) as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
             -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
             start >/dev/null ;;
    stop)  as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null ;;
  esac
}

case "${1:-}" in
  start|stop) server "$1" "$2"; exit 0 ;;
  run) shift ;;
  *) echo "usage: $0 run COMMAND... | start DIR | stop DIR" >&2; exit 2 ;;
esac

driver=$(dpkg -L odbc-postgresql 2>/dev/null | grep '/psqlodbcw\.so$' | head -n 1 || true)
if [ -z "$driver" ]; then
  echo "pg-cluster: the psqlODBC driver is not installed (Debian package odbc-postgresql)" >&2
  exit 1
fi

dir=$(mktemp -d /tmp/ats-pg.XXXXXX)
chmod 755 "$dir"
[ "$(id -u)" -eq 0 ] && chown postgres "$dir"
cleanup() {
  server stop "$dir" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT

as_owner "$bindir/initdb" -D "$dir/data" -U postgres --auth-local=trust --auth-host=scram-sha-256 \
  --encoding=UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }

# A free port: try a few at random until the server starts on one.
started=no
for attempt in 1 2 3 4 5 6 7 8; do
  echo $(( 20000 + RANDOM % 40000 )) > "$dir/port"
  if server start "$dir" 2>/dev/null; then started=yes; break; fi
done
if [ $started = no ]; then
  echo "pg-cluster: the server did not start" >&2
  cat "$dir/server.log" >&2 || true
  exit 1
fi
port=$(cat "$dir/port")

# The password holds the characters that need quoting on the way through the
# connection strings.
password='pg;Pass=word 1'
psql=("$bindir/psql" -X -q -v ON_ERROR_STOP=1 -h "$dir" -p "$port" -U postgres)
"${psql[@]}" -d postgres <<SQL
CREATE ROLE sa LOGIN PASSWORD '${password}';
CREATE DATABASE master OWNER sa ENCODING 'UTF8' TEMPLATE template0;
SQL
"${psql[@]}" -d master <<'SQL'
SET ROLE sa;
CREATE TABLE "TsAccount" (
  "AccountName" varchar(50) PRIMARY KEY,
  "AccountDb" varchar(50),
  "Tag" boolean NOT NULL DEFAULT false);
-- The same columns without a key: rows are found by all their values.
CREATE TABLE "TsPlain" (
  "AccountName" varchar(50),
  "AccountDb" varchar(50),
  "Tag" boolean NOT NULL DEFAULT false);
-- Every kind of column the provider reads and writes.
CREATE TABLE "TsKinds" (
  "Id" integer PRIMARY KEY,
  "Body" text,
  "Amount" numeric(12,2),
  "Ratio" double precision,
  "Big" bigint,
  "Stamp" timestamp(3),
  "Day" date,
  "Raw" bytea);
-- Lower-case names, as an unquoted CREATE TABLE TsLower makes them.
CREATE TABLE tslower (accountname varchar(50), tag boolean);
INSERT INTO tslower VALUES ('lower', true);
SQL

mkdir -p "$dir/odbc"
: > "$dir/odbc/odbcinst.ini"
: > "$dir/odbc/odbc.ini"
cat > "$dir/odbc.ini" <<INI
[ODBC Data Sources]
AccountPg = the PostgreSQL test cluster

[AccountPg]
Driver = $driver
Servername = 127.0.0.1
Port = $port
Database = master
BoolsAsChar = 0
UseServerSidePrepare = 1
INI

export ODBCINI="$dir/odbc.ini" ODBCSYSINI="$dir/odbc"
export ATS_PG_DSN=AccountPg ATS_PG_PASSWORD="$password" ATS_PG_CONTROL="$script" ATS_PG_DIR="$dir"
export ATS_PG_PSQL="$bindir/psql" PGHOST="$dir" PGPORT="$port" PGUSER=postgres PGDATABASE=master
set +e
"$@"
status=$?
set -e
exit $status
