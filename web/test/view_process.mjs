// Starts `velmora view` as a user does and reads the address it prints.
import { spawn } from 'node:child_process';
import { once } from 'node:events';

export const AddressLine = /^velmora: view at http:\/\/127\.0\.0\.1:(\d+)\/\?token=([A-Za-z0-9_-]+)$/;

export async function startView(velmora, args, env = process.env) {
  const child = spawn(velmora, ['view', ...args], { stdio: ['ignore', 'pipe', 'pipe'], env });
  let stdout = '';
  let stderr = '';
  child.stderr.on('data', (data) => { stderr += data; });
  const exited = once(child, 'exit');
  const line = await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`no address within 60 s; stderr: ${stderr}`)), 60000);
    child.stdout.on('data', (data) => {
      stdout += data;
      if (!stdout.includes('\n')) return;
      clearTimeout(timer);
      resolve(stdout.slice(0, stdout.indexOf('\n')));
    });
    exited.then(([code]) => { clearTimeout(timer); reject(new Error(`exited ${code} before serving: ${stderr}`)); });
  });
  const match = AddressLine.exec(line);
  if (!match) throw new Error(`unexpected first line: ${line}`);
  return {
    child, line, port: Number(match[1]), token: match[2], address: line.slice('velmora: view at '.length),
    stderr: () => stderr,
    stdout: () => stdout,
    // Stops it as Ctrl-C or a service manager does; resolves to [exit code, milliseconds].
    async stop(signal = 'SIGTERM') {
      const started = Date.now();
      child.kill(signal);
      const [code] = await exited;
      return [code, Date.now() - started];
    },
  };
}
