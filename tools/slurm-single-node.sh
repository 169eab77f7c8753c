#!/usr/bin/env bash
# Usage: tools/slurm-single-node.sh [start|stop|status]
#
# A Slurm "cluster" of this one machine, for trying plans and for the Slurm
# test (make slurm-test): installs Debian's slurm-wlm and munge when
# missing, writes a minimal /etc/slurm/slurm.conf (one node, this host, with
# all its cores, in one partition "trakvist"), and starts munged, slurmctld
# and slurmd directly, without systemd, so it works in a container as well.
# `start` returns once the node takes jobs; `stop` ends the daemons it
# started, by the process ids they recorded.
#
# A slurm.conf that this script did not write is never replaced: on a
# machine that is part of a real cluster, use that cluster instead.
set -euo pipefail

action=${1:-start}
conf=/etc/slurm/slurm.conf
marker="# Written by Trakvist's tools/slurm-single-node.sh"
state=/var/lib/slurm
logs=/var/log/slurm
run=/run/slurm-single-node

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
as_root() { "${sudo_cmd[@]}" "$@"; }
say() { echo "slurm-single-node: $*" >&2; }

install_packages() {
  local missing=()
  for p in slurm-wlm munge; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  say "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -q
  as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
}

write_conf() {
  if [ -e "$conf" ] && ! grep -qxF "$marker" "$conf"; then
    say "$conf exists and was not written by this script; it is left alone."
    say "Use the cluster it describes, or move it away to make a single-node one here."
    exit 1
  fi
  local host cpus
  host=$(hostname -s)
  cpus=$(nproc)
  as_root mkdir -p /etc/slurm "$state/slurmctld" "$state/slurmd" "$logs" "$run"
  as_root tee "$conf" >/dev/null <<EOF
$marker
ClusterName=trakvist
SlurmctldHost=$host
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
StateSaveLocation=$state/slurmctld
SlurmdSpoolDir=$state/slurmd
SlurmctldPidFile=$run/slurmctld.pid
SlurmdPidFile=$run/slurmd.pid
SlurmctldLogFile=$logs/slurmctld.log
SlurmdLogFile=$logs/slurmd.log
# No cgroups: a container often has none to give.
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SchedulerType=sched/backfill
# Start each task as soon as a core is free: plans are many short runs.
SchedulerParameters=batch_sched_delay=0,sched_min_interval=0
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
MpiDefault=none
ReturnToService=2
SlurmdTimeout=300
NodeName=$host NodeAddr=127.0.0.1 CPUs=$cpus State=UNKNOWN
PartitionName=trakvist Nodes=$host Default=YES MaxTime=INFINITE State=UP
EOF
}

start_munge() {
  if munge -n 2>/dev/null | unmunge >/dev/null 2>&1; then return; fi
  if [ ! -s /etc/munge/munge.key ]; then
    as_root mungekey --create --keyfile=/etc/munge/munge.key
    as_root chown munge:munge /etc/munge/munge.key
    as_root chmod 400 /etc/munge/munge.key
  fi
  as_root mkdir -p /run/munge
  as_root chown munge:munge /run/munge
  as_root runuser -u munge -- /usr/sbin/munged
  for _ in $(seq 50); do
    munge -n 2>/dev/null | unmunge >/dev/null 2>&1 && return
    sleep 0.2
  done
  say "munged did not start"
  exit 1
}

daemon_running() {  # NAME: its pid file names a live process
  local pid_file="$run/$1.pid"
  [ -s "$pid_file" ] && as_root kill -0 "$(cat "$pid_file")" 2>/dev/null
}

start_daemons() {
  daemon_running slurmctld || as_root /usr/sbin/slurmctld
  for _ in $(seq 100); do
    scontrol ping 2>/dev/null | grep -q "UP" && break
    sleep 0.2
  done
  scontrol ping 2>/dev/null | grep -q "UP" || { say "slurmctld did not start (see $logs/slurmctld.log)"; exit 1; }
  daemon_running slurmd || as_root /usr/sbin/slurmd
}

wait_for_node() {
  local host node_state
  host=$(hostname -s)
  for _ in $(seq 150); do
    node_state=$(sinfo -h -n "$host" -o %T 2>/dev/null || true)
    case $node_state in
      idle* | mixed* | allocated*) return ;;
      down* | drain*) as_root scontrol update nodename="$host" state=resume 2>/dev/null || true ;;
    esac
    sleep 0.2
  done
  say "the node did not come up (state: ${node_state:-unknown}; see $logs/slurmd.log)"
  exit 1
}

stop_daemons() {
  for name in slurmd slurmctld; do
    if daemon_running "$name"; then
      as_root kill "$(cat "$run/$name.pid")"
    fi
  done
}

case $action in
  start)
    install_packages
    write_conf
    start_munge
    start_daemons
    wait_for_node
    say "Slurm is up: $(sinfo -h -o '%P %D node(s) %c cores %T')"
    ;;
  stop)
    stop_daemons
    ;;
  status)
    scontrol ping && sinfo
    ;;
  *)
    echo "usage: $0 [start|stop|status]" >&2
    exit 2
    ;;
esac
